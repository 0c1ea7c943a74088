#include "phrase/statistics/phrase_statistics.h"

#include <algorithm>

#include "foundation/char_sets.h"
#include "foundation/hkscs_characters.h"
#include "foundation/phrase_database.h"
#include "foundation/statistics_text.h"

namespace {

std::string number(long long value) {
    return std::to_string(value);
}

}  // namespace

PhraseStatistics phraseStatistics(const PhraseDatabase& db) {
    PhraseStatistics s;
    const int count = static_cast<int>(db.listCount());
    s.blocks = phraseBlockCount(db.charSet);
    std::vector<int> phrasesOfIndex;
    if (db.charSet == kChineseBIG5) phrasesOfIndex.assign(indexCount(db.charSet), 0);
    for (int block = 0; block < s.blocks; ++block) {
        int first = kCharactersPerBlock;
        std::size_t blockWords = 0;
        for (int position = 0; position < kCharactersPerBlock; ++position) {
            const int index = blockFirstIndex(block) + position;
            if (index >= count) break;
            const std::span<const StoredPhrase> list = db.list(static_cast<std::size_t>(index));
            if (list.empty()) continue;
            std::size_t words = 0;
            for (const StoredPhrase& phrase : list) {
                const std::size_t length = phrase.length;
                words += phraseWords(length, phrase.user);
                if (s.byLength.size() <= length) s.byLength.resize(length + 1, 0);
                ++s.byLength[length];
                for (const uint16_t character : db.text(phrase)) {
                    if (character < phrasesOfIndex.size()) ++phrasesOfIndex[character];
                }
            }
            s.phrases += static_cast<long long>(list.size());
            ++s.firstCharacters;
            first = std::min(first, position);
            blockWords += words;
            if (static_cast<int>(words) > s.fullestWords) {
                s.fullestWords = static_cast<int>(words);
                s.fullestCharacter = index;
            }
            if (words * 100 > kMaxListWords * kFullShare) s.nearlyFull.push_back(index);
        }
        if (first == kCharactersPerBlock) continue;
        ++s.blocksWithPhrases;
        const auto bytes = static_cast<long long>(blockBodyBytes(first, blockWords));
        if (bytes > s.largestBlockBytes) {
            s.largestBlockBytes = bytes;
            s.largestBlock = block;
        }
    }
    s.hkscsCharacters = hkscsCharacters(db.charSet, phrasesOfIndex);
    return s;
}

std::string phraseReport(const PhraseDatabase& db, const PhraseStatistics& s,
                         const std::optional<PhraseListCounts>& counts, const char* fileName) {
    ShownCharacters shown(db.charSet);
    std::string text = "Statistics of \"" + std::string(fileName) + "\"\n";
    const char* charSet = charSetName(db.charSet);
    text += figureLine("CharSet", charSet != nullptr ? charSet : "?");
    text += figureLine("MaxPhraseLength", number(db.maxPhraseLength));

    text += "\nCapacity\n";
    text += figureLine("  Phrases", number(s.phrases));
    text += figureLine("  First characters", number(s.firstCharacters));
    if (s.firstCharacters > 0) {
        text += figureLine("  Fullest first character",
                           shown.shownIndex(db.charSet, static_cast<unsigned>(s.fullestCharacter)) +
                               ", " + ofLimit(s.fullestWords, kMaxListWords, " words"));
    }
    constexpr std::size_t kNamesPerLine = 20;
    for (std::size_t k = 0; k < s.nearlyFull.size(); k += kNamesPerLine) {
        std::string names;
        for (std::size_t n = k; n < s.nearlyFull.size() && n < k + kNamesPerLine; ++n) {
            names += shown.shownIndex(db.charSet, static_cast<unsigned>(s.nearlyFull[n]));
        }
        text += figureLine(k == 0 ? "  Above 90 %" : "", names);
    }
    text += figureLine("  Phrase blocks",
                       number(s.blocks) + ", " + number(s.blocksWithPhrases) + " with phrases");
    if (s.blocksWithPhrases > 0) {
        const auto first = static_cast<unsigned>(blockFirstIndex(s.largestBlock));
        text +=
            figureLine("  Largest block",
                       number(s.largestBlock) + " (from " + shown.shownIndex(db.charSet, first) +
                           "), " + ofLimit(s.largestBlockBytes, kMaxBlockBytes, " bytes"));
    }

    text += "\nPhrases\n";
    for (std::size_t length = 2; length < s.byLength.size(); ++length) {
        const std::string label = "  Of " + number(static_cast<long long>(length)) + " characters";
        text += figureLine(label.c_str(), number(s.byLength[length]));
    }
    if (counts) {
        text += figureLine("  Repeated", number(counts->repeated));
        text += figureLine("  Refused", number(counts->refused));
    }
    if (s.hkscsCharacters) text += figureLine("  HKSCS characters", number(*s.hkscsCharacters));
    return text;
}
