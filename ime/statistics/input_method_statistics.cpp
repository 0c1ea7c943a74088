#include "ime/statistics/input_method_statistics.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "foundation/char_sets.h"
#include "foundation/hkscs_characters.h"
#include "ime/statistics/character_levels.h"
#include "ime/statistics/code_characters.h"

namespace {

// The keys that name the bucket a code is filed in.
std::string bucketOf(const InputMethod& im, const std::string& code) {
    return code.substr(0, static_cast<std::size_t>(bucketKeys(im.codingStyle, im.indexDepth)));
}

DoubleByteCharacter bytesOf(CharSet charSet, unsigned index) {
    char bytes[3] = {};
    indexToChar(charSet, index, bytes, sizeof bytes);
    return DoubleByteCharacter::of(bytes);
}

// Whether `character` has an index from `first` to `last`.
bool inArea(CharSet charSet, DoubleByteCharacter character, unsigned first, unsigned last) {
    const auto index = static_cast<unsigned>(charToIndex(charSet, character.bytes().data()));
    return index >= first && index <= last;
}

void countCharacter(CharacterCoverage& coverage, unsigned index, bool coded) {
    ++coverage.characters;
    if (coded) {
        ++coverage.coded;
    } else if (coverage.firstUncoded.size() < kUncodedShown) {
        coverage.firstUncoded.push_back(index);
    }
}

// A level is shown under the area that holds its first character and
// counts its characters there and, when its last character lies in a later
// area, in the areas up to that one (JIS X 0208 level 2 runs on from the
// first area of Shift-JIS into the second).
std::vector<AreaCoverage> coverageOf(const InputMethod& im, const std::vector<int>& codesOfIndex) {
    std::vector<AreaCoverage> areas;
    const std::span<const CharacterLevel> levels = characterLevels(im.charSet);
    const std::vector<IndexArea> indexes = indexAreas(im.charSet);
    constexpr std::size_t kNowhere = SIZE_MAX;
    // By level: its area, its place there, and the last area it runs into.
    struct Place {
        std::size_t area = kNowhere;
        std::size_t slot = 0;
        std::size_t lastArea = 0;
    };
    std::vector<Place> placeOfLevel(levels.size());
    for (const IndexArea& area : indexes) {
        AreaCoverage& coverage = areas.emplace_back();
        const auto first = static_cast<unsigned>(area.firstIndex);
        const auto last = static_cast<unsigned>(area.firstIndex + area.count - 1);
        char name[32];
        std::snprintf(name, sizeof name, "Area %04X-%04X", bytesOf(im.charSet, first).packed,
                      bytesOf(im.charSet, last).packed);
        coverage.area.name = name;
        for (std::size_t l = 0; l < levels.size(); ++l) {
            if (inArea(im.charSet, levels[l].first, first, last)) {
                placeOfLevel[l] = {areas.size() - 1, coverage.levels.size(), areas.size() - 1};
                coverage.levels.emplace_back().name = levels[l].name;
            }
            if (placeOfLevel[l].area != kNowhere &&
                inArea(im.charSet, levels[l].last, first, last)) {
                placeOfLevel[l].lastArea = areas.size() - 1;
            }
        }
    }
    for (std::size_t a = 0; a < indexes.size(); ++a) {
        const auto first = static_cast<unsigned>(indexes[a].firstIndex);
        const auto last = static_cast<unsigned>(indexes[a].firstIndex + indexes[a].count - 1);
        for (unsigned index = first; index <= last; ++index) {
            const bool coded = codesOfIndex[index] > 0;
            countCharacter(areas[a].area, index, coded);
            const DoubleByteCharacter bytes = bytesOf(im.charSet, index);
            for (std::size_t l = 0; l < levels.size(); ++l) {
                const Place& place = placeOfLevel[l];
                if (place.area != kNowhere && a >= place.area && a <= place.lastArea &&
                    bytes >= levels[l].first && bytes <= levels[l].last) {
                    countCharacter(areas[place.area].levels[place.slot], index, coded);
                }
            }
        }
        areas[a].area.firstUncoded.clear();
    }
    return areas;
}

}  // namespace

InputMethodStatistics inputMethodStatistics(const InputMethod& im,
                                            const std::vector<CodeCharacters>& codes) {
    InputMethodStatistics s;
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
        if (s.codesByCandidates.size() <= characters.size()) {
            s.codesByCandidates.resize(characters.size() + 1, 0);
        }
        ++s.codesByCandidates[characters.size()];
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
