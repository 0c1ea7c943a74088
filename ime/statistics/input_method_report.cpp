#include <cstdio>

#include "foundation/statistics_text.h"
#include "ime/statistics/input_method_statistics.h"

namespace {

constexpr std::size_t kCrowdedShown = 20;

std::string number(long long value) {
    return std::to_string(value);
}

std::string identity(const InputMethod& im, const char* fileName) {
    std::string text = "Statistics of \"" + std::string(fileName) + "\"\n";
    CharSetConverter converter(im.charSet);
    const std::string name = converter.textToUtf8(im.name);
    text += figureLine(
        "Name", im.fullName.empty() ? name : converter.textToUtf8(im.fullName) + " (" + name + ")");
    const char* charSet = charSetName(im.charSet);
    text += figureLine("CharSet", charSet != nullptr ? charSet : "?");
    std::string style = number(im.codingStyle);
    if (im.codingStyle == 2) style += ", subtype " + number(im.codingSubtype);
    text += figureLine("Coding style", style);
    text += figureLine("MaxCodes", number(im.maxCodes));
    text += figureLine("Keys", im.usedCodes);
    return text;
}

std::string capacity(const InputMethodStatistics& s) {
    std::string text = "\nCapacity\n";
    text += figureLine("  Code entries", ofLimit(s.entries, kMaxCodeEntries));
    text += figureLine("  Coded characters", ofLimit(s.codedCharacters, kMaxCodedCharacters));
    text += figureLine("  Repeat-block slots", ofLimit(s.repeatSlots, s.repeatLimit));
    text += figureLine("  Largest bucket",
                       number(s.largestBucket) + (s.largestBucket == 1 ? " entry" : " entries"));
    return text;
}

std::string shownList(ShownCharacters& shown, CharSet charSet,
                      const std::vector<unsigned>& indexes) {
    std::string text;
    for (unsigned index : indexes) text += shown.shownIndex(charSet, index);
    return text;
}

std::string coverage(const InputMethod& im, const InputMethodStatistics& s,
                     ShownCharacters& shown) {
    std::string text = "\nCoverage\n";
    for (const AreaCoverage& area : s.areas) {
        text += figureLine(("  " + area.area.name).c_str(),
                           ofLimit(area.area.coded, area.area.characters));
        for (const CharacterCoverage& level : area.levels) {
            text +=
                figureLine(("    " + level.name).c_str(), ofLimit(level.coded, level.characters));
            if (level.firstUncoded.empty()) continue;
            const std::string first =
                level.coded + static_cast<int>(level.firstUncoded.size()) < level.characters
                    ? "      First uncoded"
                    : "      Uncoded";
            text += figureLine(first.c_str(), shownList(shown, im.charSet, level.firstUncoded));
        }
    }
    if (s.hkscsCharacters) text += figureLine("  HKSCS characters", number(*s.hkscsCharacters));
    return text;
}

std::string codes(const InputMethodStatistics& s, ShownCharacters& shown) {
    std::string text = "\nCodes\n";
    text += figureLine("  Distinct codes", number(s.distinctCodes));
    text += figureLine("  Shared codes", number(s.sharedCodes) + ", with " +
                                             number(s.charactersOnSharedCodes) + " characters");
    if (!s.crowdedCode.empty()) {
        std::string characters;
        for (std::size_t k = 0; k < s.crowdedCharacters.size() && k < kCrowdedShown; ++k) {
            characters +=
                shown.shown(s.crowdedCharacters[k].lead(), s.crowdedCharacters[k].trail());
        }
        if (s.crowdedCharacters.size() > kCrowdedShown) characters += " ...";
        text += figureLine("  Most crowded code", "\"" + s.crowdedCode + "\", " +
                                                      number(s.crowdedCharacters.size()) +
                                                      " characters: " + characters);
    }
    text += figureLine("  Coded characters", number(s.distinctCharacters));
    text += figureLine("  With several codes", number(s.severalCodes));
    for (std::size_t length = 1; length < s.codesByLength.size(); ++length) {
        const std::string label = "  Codes of " + number(static_cast<long long>(length)) +
                                  (length == 1 ? " key" : " keys");
        text += figureLine(label.c_str(), number(s.codesByLength[length]));
    }
    char average[32];
    std::snprintf(average, sizeof average, "%.2f keys", s.averageShortestCode);
    text += figureLine("  Average shortest code", average);
    return text;
}

}  // namespace

std::string inputMethodReport(const InputMethod& im, const InputMethodStatistics& figures,
                              const char* fileName, const std::vector<MessageCount>* messages) {
    ShownCharacters shown(im.charSet);
    std::string text = identity(im, fileName) + capacity(figures) + coverage(im, figures, shown) +
                       codes(figures, shown);
    if (messages == nullptr) return text;
    text += "\nMessages\n";
    if (messages->empty()) text += "  None\n";
    for (const MessageCount& message : *messages) {
        text += figureLine(("  Message " + number(message.code)).c_str(), number(message.count));
    }
    return text;
}
