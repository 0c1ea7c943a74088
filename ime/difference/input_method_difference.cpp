#include "ime/difference/input_method_difference.h"

#include <algorithm>
#include <map>
#include <unordered_set>
#include <vector>

#include "foundation/common_subsequence.h"
#include "foundation/statistics_text.h"
#include "foundation/text_encoding.h"
#include "ime/source/ime_source_writer.h"

namespace {

// The lines of one section of a written source, by the section's header.
using SourceSections = std::map<std::string, std::vector<std::string>, std::less<>>;

// Everything but the code table, said as a source says it, in UTF-8: what
// the values, rows, rules and help lines are compared as.
SourceSections headSections(const InputMethod& im) {
    InputMethod head = im;
    head.entries.clear();
    head.codes.clear();
    const std::string text =
        CharSetConverter(im.charSet).textToUtf8(writeImeSource(head, {}, TextEncoding::kUtf8));
    SourceSections sections;
    std::vector<std::string>* lines = nullptr;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        // A help line may look like a header; the help text ends at [Text].
        const bool inHelp = lines == &sections["[Help]"];
        if (line.starts_with("[") && (!inHelp || line == "[Text]")) {
            lines = &sections[line];
        } else if (lines != nullptr) {
            lines->push_back(line);
        }
    }
    // The empty line after a section, and the help text's own last line
    // feed, say nothing.
    for (auto& [name, body] : sections) {
        while (!body.empty() && body.back().empty()) body.pop_back();
    }
    return sections;
}

const std::vector<std::string>& sectionLines(const SourceSections& sections,
                                             std::string_view name) {
    static const std::vector<std::string> kNoLines;
    const auto found = sections.find(name);
    return found == sections.end() ? kNoLines : found->second;
}

// "Key: old => new" for each key whose value differs, the first side's keys
// first. Keys that name the pictures' files say nothing of the pictures.
void addKeyChanges(const std::vector<std::string>& first, const std::vector<std::string>& second,
                   std::string& out) {
    std::vector<std::pair<std::string, std::pair<std::string, std::string>>> keys;
    std::map<std::string, std::size_t> keyAt;
    const auto take = [&](const std::vector<std::string>& lines, bool isSecond) {
        for (const std::string& line : lines) {
            const std::size_t equals = line.find('=');
            if (equals == std::string::npos) continue;
            const std::string key = line.substr(0, equals);
            if (key == "Encoding" || key.starts_with("KeyboardBitmap")) continue;
            const auto [at, added] = keyAt.try_emplace(key, keys.size());
            if (added) keys.push_back({key, {}});
            auto& values = keys[at->second].second;
            (isSecond ? values.second : values.first) = line.substr(equals + 1);
        }
    };
    take(first, false);
    take(second, true);
    for (const auto& [key, values] : keys) {
        if (values.first != values.second) {
            out += key + ": " + values.first + " => " + values.second + "\n";
        }
    }
}

// Rules are a set: one that only one side holds was added or removed.
void addRuleChanges(const std::vector<std::string>& first, const std::vector<std::string>& second,
                    std::string& out) {
    const std::unordered_set<std::string> inFirst(first.begin(), first.end());
    const std::unordered_set<std::string> inSecond(second.begin(), second.end());
    for (const std::string& rule : first) {
        if (!inSecond.contains(rule)) out += "[Rules] - " + rule + "\n";
    }
    for (const std::string& rule : second) {
        if (!inFirst.contains(rule)) out += "[Rules] + " + rule + "\n";
    }
}

// The help lines outside the longest common subsequence of the two texts.
void addHelpChanges(const std::vector<std::string>& first, const std::vector<std::string>& second,
                    std::string& out) {
    TextIds ids;
    std::vector<uint32_t> firstIds, secondIds;
    for (const std::string& line : first) firstIds.push_back(ids.idOf(line));
    for (const std::string& line : second) secondIds.push_back(ids.idOf(line));
    const CommonSubsequence common = longestCommonSubsequence(firstIds, secondIds);
    for (std::size_t p = 0; p < first.size(); ++p) {
        if (!common.inFirst[p]) out += "[Help] - " + first[p] + "\n";
    }
    for (std::size_t q = 0; q < second.size(); ++q) {
        if (!common.inSecond[q]) out += "[Help] + " + second[q] + "\n";
    }
}

std::string pictureSize(const KeyboardPicture* picture) {
    if (picture == nullptr) return "none";
    return std::to_string(picture->width) + "x" + std::to_string(picture->height);
}

void addPictureChange(const char* density, const KeyboardPicture* first,
                      const KeyboardPicture* second, std::string& out) {
    const std::string prefix = std::string("[Keyboard] ") + density + ": ";
    if (first == nullptr && second == nullptr) return;
    if (first == nullptr || second == nullptr || first->width != second->width ||
        first->height != second->height) {
        out += prefix + pictureSize(first) + " => " + pictureSize(second) + "\n";
        return;
    }
    std::size_t differing = 0;
    for (std::size_t p = 0; p < first->pixels.size() && p < second->pixels.size(); ++p) {
        differing += first->pixels[p] != second->pixels[p] ? 1 : 0;
    }
    if (differing > 0) out += prefix + std::to_string(differing) + " pixels differ\n";
}

void addPictureChanges(const InputMethod& first, const InputMethod& second, std::string& out) {
    const auto standard = [](const InputMethod& im) {
        return im.keyboard ? &im.keyboard->standard : nullptr;
    };
    const auto high = [](const InputMethod& im) -> const KeyboardPicture* {
        return im.keyboard && im.keyboard->highDensity ? &*im.keyboard->highDensity : nullptr;
    };
    addPictureChange("standard", standard(first), standard(second), out);
    addPictureChange("high density", high(first), high(second), out);
}

// The characters of each code of one side in the order of its table, the
// codes in the order of their bytes.
struct CodeOrders {
    std::vector<std::string_view> codes;
    std::vector<std::vector<uint32_t>> orders;  // by position in `codes`
};

CodeOrders codeOrders(const InputMethod& im, TextIds& characters) {
    constexpr uint32_t kUnseen = UINT32_MAX;
    std::vector<uint32_t> idByPacked(1 << 16, kUnseen);
    ShownCharacters shown(im.charSet);
    std::vector<uint32_t> sorted(im.codes.size());
    for (uint32_t code = 0; code < sorted.size(); ++code) sorted[code] = code;
    std::sort(sorted.begin(), sorted.end(),
              [&](uint32_t a, uint32_t b) { return im.codes[a] < im.codes[b]; });
    std::vector<uint32_t> positionOf(sorted.size());
    CodeOrders result;
    result.orders.resize(sorted.size());
    for (std::size_t at = 0; at < sorted.size(); ++at) {
        positionOf[sorted[at]] = static_cast<uint32_t>(at);
        result.codes.push_back(im.codes[sorted[at]]);
    }
    for (const CodeTableEntry& entry : im.entries) {
        uint32_t& id = idByPacked[entry.character.packed];
        if (id == kUnseen) {
            id = characters.idOf(shown.shown(entry.character.lead(), entry.character.trail()));
        }
        result.orders[positionOf[entry.code]].push_back(id);
    }
    return result;
}

bool orderHolds(const std::vector<uint32_t>& order, uint32_t id) {
    return std::find(order.begin(), order.end(), id) != order.end();
}

std::string orderText(const std::vector<uint32_t>& order, const TextIds& characters) {
    std::string text;
    for (uint32_t id : order) text += characters.text(id);
    return text;
}

// The changes of one code between its two candidate orders.
void addCodeChanges(std::string_view code, const std::vector<uint32_t>& first,
                    const std::vector<uint32_t>& second, const TextIds& characters,
                    InputMethodDifference& difference) {
    if (first == second) return;
    const CommonSubsequence common = longestCommonSubsequence(first, second);
    const std::string prefix(code);
    std::string& out = difference.lines;
    int moved = 0;
    for (std::size_t q = 0; q < second.size(); ++q) {
        if (common.inSecond[q]) continue;
        if (orderHolds(first, second[q])) {
            ++moved;
        } else {
            out += "+ " + prefix + " " + characters.text(second[q]) + "\n";
            ++difference.added;
        }
    }
    for (std::size_t p = 0; p < first.size(); ++p) {
        if (common.inFirst[p] || orderHolds(second, first[p])) continue;
        out += "- " + prefix + " " + characters.text(first[p]) + "\n";
        ++difference.removed;
    }
    if (moved > 0) {
        out += "~ " + prefix + " " + orderText(first, characters) + " => " +
               orderText(second, characters) + "\n";
        difference.moved += moved;
    }
    ++difference.codes;
}

void addCodeTableChanges(const InputMethod& first, const InputMethod& second,
                         InputMethodDifference& difference) {
    TextIds characters;
    const CodeOrders a = codeOrders(first, characters);
    const CodeOrders b = codeOrders(second, characters);
    const std::vector<uint32_t> none;
    std::size_t p = 0, q = 0;
    while (p < a.codes.size() || q < b.codes.size()) {
        if (q == b.codes.size() || (p < a.codes.size() && a.codes[p] < b.codes[q])) {
            addCodeChanges(a.codes[p], a.orders[p], none, characters, difference);
            ++p;
        } else if (p == a.codes.size() || b.codes[q] < a.codes[p]) {
            addCodeChanges(b.codes[q], none, b.orders[q], characters, difference);
            ++q;
        } else {
            addCodeChanges(a.codes[p], a.orders[p], b.orders[q], characters, difference);
            ++p;
            ++q;
        }
    }
}

}  // namespace

InputMethodDifference inputMethodDifference(const InputMethod& first, const InputMethod& second) {
    InputMethodDifference difference;
    const SourceSections a = headSections(first);
    const SourceSections b = headSections(second);
    std::string& out = difference.lines;
    addKeyChanges(sectionLines(a, "[Description]"), sectionLines(b, "[Description]"), out);
    addKeyChanges(sectionLines(a, "[KeyMapTable]"), sectionLines(b, "[KeyMapTable]"), out);
    addRuleChanges(sectionLines(a, "[Rules]"), sectionLines(b, "[Rules]"), out);
    addHelpChanges(sectionLines(a, "[Help]"), sectionLines(b, "[Help]"), out);
    addPictureChanges(first, second, out);
    addCodeTableChanges(first, second, difference);
    return difference;
}
