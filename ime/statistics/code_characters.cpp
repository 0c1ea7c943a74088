#include "ime/statistics/code_characters.h"

#include <algorithm>

#include "foundation/char_sets.h"

std::vector<CodeCharacters> codesOf(const InputMethod& im) {
    const DoubleByteTable characters(im.charSet);
    std::vector<std::pair<std::string_view, unsigned>> pairs;
    pairs.reserve(im.entries.size());
    for (const CodeTableEntry& entry : im.entries) {
        pairs.push_back({im.codes[entry.code], static_cast<unsigned>(characters.indexOf(
                                                   entry.character.bytes().data()))});
    }
    // Stable: the characters of a code stay in the order the table gives them.
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<CodeCharacters> codes;
    for (const auto& [code, index] : pairs) {
        if (codes.empty() || codes.back().code != code) codes.push_back({std::string(code), {}});
        std::vector<unsigned>& list = codes.back().characters;
        if (std::find(list.begin(), list.end(), index) == list.end()) list.push_back(index);
    }
    return codes;
}
