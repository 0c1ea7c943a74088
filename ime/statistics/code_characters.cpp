#include "ime/statistics/code_characters.h"

#include <algorithm>

#include "foundation/char_sets.h"

std::vector<CodeCharacters> codesOf(const InputMethod& im) {
    const DoubleByteTable characters(im.charSet);
    // The distinct codes in order, each numbered once: far fewer to sort than
    // the pairs, which then fall into their codes in the order the table
    // gives them.
    std::vector<uint32_t> byText(im.codes.size());
    for (uint32_t number = 0; number < byText.size(); ++number) byText[number] = number;
    std::sort(byText.begin(), byText.end(),
              [&](uint32_t a, uint32_t b) { return im.codes[a] < im.codes[b]; });
    std::vector<uint32_t> rank(im.codes.size());
    std::vector<CodeCharacters> codes(byText.size());
    for (uint32_t k = 0; k < byText.size(); ++k) {
        rank[byText[k]] = k;
        codes[k].code = std::string(im.codes[byText[k]]);
    }
    for (const CodeTableEntry& entry : im.entries) {
        const auto index =
            static_cast<unsigned>(characters.indexOf(entry.character.bytes().data()));
        std::vector<unsigned>& list = codes[rank[entry.code]].characters;
        if (std::find(list.begin(), list.end(), index) == list.end()) list.push_back(index);
    }
    // A code that no pair uses is none of the input method's.
    std::erase_if(codes, [](const CodeCharacters& code) { return code.characters.empty(); });
    return codes;
}
