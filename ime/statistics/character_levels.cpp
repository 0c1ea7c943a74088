#include "ime/statistics/character_levels.h"

namespace {

constexpr CharacterLevel kGbLevels[] = {
    {"GB 2312 level 1", {0xB0A1}, {0xD7F9}},
    {"GB 2312 level 2", {0xD8A1}, {0xF7FE}},
};
constexpr CharacterLevel kBig5Levels[] = {
    {"Big5 frequent", {0xA440}, {0xC67E}},
    {"Big5 less frequent", {0xC940}, {0xF9D5}},
};
constexpr CharacterLevel kJisLevels[] = {
    {"JIS X 0208 hiragana", {0xA4A1}, {0xA4F3}},
    {"JIS X 0208 katakana", {0xA5A1}, {0xA5F6}},
    {"JIS X 0208 level 1", {0xB0A1}, {0xCFD3}},
    {"JIS X 0208 level 2", {0xD0A1}, {0xF4A6}},
};
constexpr CharacterLevel kSjisLevels[] = {
    {"JIS X 0208 hiragana", {0x829F}, {0x82F1}},
    {"JIS X 0208 katakana", {0x8340}, {0x8396}},
    {"JIS X 0208 level 1", {0x889F}, {0x9872}},
    {"JIS X 0208 level 2", {0x989F}, {0xEAA4}},
};
constexpr CharacterLevel kKscLevels[] = {
    {"KS C 5601 hangul", {0xB0A1}, {0xC8FE}},
    {"KS C 5601 hanja", {0xCAA1}, {0xFDFE}},
};

}  // namespace

std::span<const CharacterLevel> characterLevels(CharSet charSet) {
    switch (charSet) {
        case kChineseGB:
        case kChineseGBK:
            return kGbLevels;
        case kChineseBIG5:
            return kBig5Levels;
        case kJapaneseJIS:
            return kJisLevels;
        case kJapaneseSJIS:
            return kSjisLevels;
        case kKoreanKSC:
            return kKscLevels;
        default:
            return {};
    }
}
