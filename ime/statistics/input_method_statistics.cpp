#include "ime/statistics/input_method_statistics.h"

#include <algorithm>
#include <cstdio>

#include "foundation/char_sets.h"
#include "ime/statistics/character_levels.h"
#include "ime/statistics/hkscs_characters.h"

namespace {

// Every code with its characters, each pair once, in code order.
struct CodeCharacters {
    std::string code;
    std::vector<unsigned> characters;
};

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

// The keys that name the bucket a code is filed in.
std::string bucketOf(const InputMethod& im, const std::string& code) {
    return code.substr(0, static_cast<std::size_t>(bucketKeys(im.codingStyle, im.indexDepth)));
}

unsigned bytesOf(CharSet charSet, unsigned index) {
    char bytes[3] = {};
    indexToChar(charSet, index, bytes, sizeof bytes);
    return static_cast<uint8_t>(bytes[0]) * 256u + static_cast<uint8_t>(bytes[1]);
}

void countCharacter(CharacterCoverage& coverage, unsigned index, bool coded) {
    ++coverage.characters;
    if (coded) {
        ++coverage.coded;
    } else if (coverage.firstUncoded.size() < kUncodedShown) {
        coverage.firstUncoded.push_back(index);
    }
}

std::vector<AreaCoverage> coverageOf(const InputMethod& im, const std::vector<int>& codesOfIndex) {
    std::vector<AreaCoverage> areas;
    const std::span<const CharacterLevel> levels = characterLevels(im.charSet);
    for (const IndexArea& area : indexAreas(im.charSet)) {
        AreaCoverage& coverage = areas.emplace_back();
        const auto first = static_cast<unsigned>(area.firstIndex);
        const auto last = static_cast<unsigned>(area.firstIndex + area.count - 1);
        char name[32];
        std::snprintf(name, sizeof name, "Area %04X-%04X", bytesOf(im.charSet, first),
                      bytesOf(im.charSet, last));
        coverage.area.name = name;
        std::vector<int> levelOfLevels;
        for (const CharacterLevel& level : levels) {
            const char start[2] = {static_cast<char>(level.first >> 8),
                                   static_cast<char>(level.first & 0xFF)};
            const auto index = static_cast<unsigned>(charToIndex(im.charSet, start));
            if (index >= first && index <= last) {
                coverage.levels.emplace_back().name = level.name;
                levelOfLevels.push_back(static_cast<int>(&level - levels.data()));
            }
        }
        for (unsigned index = first; index <= last; ++index) {
            const bool coded = codesOfIndex[index] > 0;
            countCharacter(coverage.area, index, coded);
            const unsigned bytes = bytesOf(im.charSet, index);
            for (std::size_t l = 0; l < coverage.levels.size(); ++l) {
                const CharacterLevel& level = levels[levelOfLevels[l]];
                if (bytes >= level.first && bytes <= level.last) {
                    countCharacter(coverage.levels[l], index, coded);
                }
            }
        }
        coverage.area.firstUncoded.clear();
    }
    return areas;
}

}  // namespace

InputMethodStatistics inputMethodStatistics(const InputMethod& im) {
    InputMethodStatistics s;
    const std::vector<CodeCharacters> codes = codesOf(im);
    const auto slots = static_cast<std::size_t>(indexCount(im.charSet));
    std::vector<int> codesOfIndex(slots, 0);
    std::vector<int> shortest(slots, 0);
    std::string bucket;  // codes come in order, so a bucket's codes come together
    int inBucket = 0;
    std::size_t crowded = 0;
    const CodeCharacters* mostCrowded = nullptr;
    for (const CodeCharacters& entry : codes) {
        const std::string& code = entry.code;
        const std::vector<unsigned>& characters = entry.characters;
        const int length = static_cast<int>(code.size());
        s.codedCharacters += static_cast<int>(characters.size());
        if (bucketOf(im, code) != bucket) {
            bucket = bucketOf(im, code);
            inBucket = 0;
        }
        inBucket += entryCountOf(im.codingStyle, static_cast<int>(characters.size()), 1);
        s.largestBucket = std::max(s.largestBucket, inBucket);
        if (s.codesByLength.size() <= code.size()) s.codesByLength.resize(code.size() + 1, 0);
        ++s.codesByLength[code.size()];
        if (characters.size() > 1) {
            ++s.sharedCodes;
            s.charactersOnSharedCodes += static_cast<int>(characters.size());
        }
        if (characters.size() > crowded) {
            crowded = characters.size();
            mostCrowded = &entry;
        }
        for (unsigned index : characters) {
            if (index >= slots) continue;
            ++codesOfIndex[index];
            if (shortest[index] == 0 || length < shortest[index]) shortest[index] = length;
        }
    }
    s.distinctCodes = static_cast<int>(codes.size());
    s.entries = entryCountOf(im.codingStyle, s.codedCharacters, s.distinctCodes);
    if (mostCrowded != nullptr) {
        s.crowdedCode = mostCrowded->code;
        for (unsigned index : mostCrowded->characters) {
            char bytes[3] = {};
            indexToChar(im.charSet, index, bytes, sizeof bytes);
            s.crowdedCharacters.push_back(DoubleByteCharacter::of(bytes));
        }
    }
    long long shortestSum = 0;
    for (std::size_t index = 0; index < slots; ++index) {
        if (codesOfIndex[index] == 0) continue;
        ++s.distinctCharacters;
        shortestSum += shortest[index];
        if (codesOfIndex[index] > 1) ++s.severalCodes;
        s.repeatSlots += repeatSlotsOf(codesOfIndex[index]);
    }
    if (s.distinctCharacters > 0) {
        s.averageShortestCode = static_cast<double>(shortestSum) / s.distinctCharacters;
    }
    s.repeatLimit = repeatSlotLimit(hzMapSlots(im.charSet));
    s.areas = coverageOf(im, codesOfIndex);
    s.hkscsCharacters = hkscsCharacters(im.charSet, codesOfIndex);
    return s;
}
