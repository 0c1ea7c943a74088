#include "foundation/desktop_tables/writable_code_points.h"

#include <algorithm>
#include <span>

namespace {

// First and last code point of a stretch that holds characters of the set,
// with gaps of up to 256 code points inside. Found by asking every code
// point of every mapping of the six sets (the C library's tables); a
// stretch wider than its characters costs only conversions that fail.
struct PointRange {
    char32_t first;
    char32_t last;
};

constexpr PointRange kChineseGBRanges[] = {
    {0xA4, 0x451},    {0x2014, 0x2312}, {0x2460, 0x2642}, {0x3000, 0x3229},
    {0x4E00, 0x9B54}, {0x9C7C, 0x9CE2}, {0x9E1F, 0x9FA0}, {0xFE31, 0xFFE5},
};
constexpr PointRange kChineseGBKRanges[] = {
    {0xA4, 0x451},      {0x1E3F, 0x1E3F},   {0x2010, 0x2312},   {0x2460, 0x2642},
    {0x2E81, 0x2ECA},   {0x2FF0, 0x3473},   {0x359E, 0x361A},   {0x3918, 0x3B4E},
    {0x3C6E, 0x3CE0},   {0x4056, 0x4056},   {0x415F, 0x415F},   {0x4337, 0x44D6},
    {0x464C, 0x478D},   {0x4947, 0x49B7},   {0x4C77, 0x9FBB},   {0xE000, 0xE814},
    {0xF92C, 0xFA29},   {0xFE10, 0xFFE5},   {0x20087, 0x200CC}, {0x215D7, 0x215D7},
    {0x2298F, 0x2298F}, {0x241FE, 0x241FE},
};
constexpr PointRange kChineseBIG5Ranges[] = {
    {0xA2, 0x451},      {0x1EBE, 0x1EC1},   {0x2013, 0x22BF},   {0x23DA, 0x273D},
    {0x2E80, 0x9FCB},   {0xF6B1, 0xF907},   {0xFA0C, 0xFA0D},   {0xFE30, 0xFFED},
    {0x20021, 0x2383A}, {0x239C2, 0x23B5A}, {0x23C63, 0x25313}, {0x25419, 0x291EB},
    {0x2941D, 0x295F4}, {0x29720, 0x2A45B}, {0x2A5C6, 0x2A6A9}, {0x2ADFF, 0x2ADFF},
    {0x2F825, 0x2F9D4},
};
constexpr PointRange kJapaneseJISRanges[] = {
    {0xA2, 0xF7},     {0x391, 0x451},   {0x2010, 0x2312}, {0x2460, 0x266F}, {0x3000, 0x30FE},
    {0x3231, 0x33CD}, {0x4E00, 0x9FA0}, {0xE000, 0xE3AB}, {0xFF01, 0xFFE5},
};
constexpr PointRange kJapaneseSJISRanges[] = {
    {0xA2, 0xF7},     {0x391, 0x451},   {0x2010, 0x2312}, {0x2460, 0x266F}, {0x3000, 0x30FE},
    {0x3231, 0x33CD}, {0x4E00, 0x9FA0}, {0xE000, 0xE757}, {0xF929, 0xFA2D}, {0xFF01, 0xFFE5},
};
constexpr PointRange kKoreanKSCRanges[] = {
    {0xA1, 0x167},    {0x2C7, 0x451},   {0x2015, 0x2312}, {0x2460, 0x266D}, {0x3000, 0x327F},
    {0x3380, 0x33DD}, {0x4E00, 0x9F9C}, {0xAC00, 0xD79D}, {0xF900, 0xFA0B}, {0xFF01, 0xFFE6},
};

std::span<const PointRange> rangesOf(CharSet charSet) {
    switch (charSet) {
        case kChineseGB:
            return kChineseGBRanges;
        case kChineseGBK:
            return kChineseGBKRanges;
        case kChineseBIG5:
            return kChineseBIG5Ranges;
        case kJapaneseJIS:
            return kJapaneseJISRanges;
        case kJapaneseSJIS:
            return kJapaneseSJISRanges;
        case kKoreanKSC:
            return kKoreanKSCRanges;
        default:
            return {};
    }
}

}  // namespace

bool mayBeDoubleByte(CharSet charSet, char32_t point) {
    const std::span<const PointRange> ranges = rangesOf(charSet);
    const auto after =
        std::upper_bound(ranges.begin(), ranges.end(), point,
                         [](char32_t p, const PointRange& r) { return p < r.first; });
    return after != ranges.begin() && point <= (after - 1)->last;
}

std::vector<uint64_t> basicPlaneMayBeDoubleByte(CharSet charSet) {
    constexpr char32_t kBasicPlane = 0x10000;
    std::vector<uint64_t> bits(kBasicPlane / 64);
    for (const PointRange& range : rangesOf(charSet)) {
        for (char32_t point = range.first; point <= range.last && point < kBasicPlane; ++point) {
            bits[point / 64] |= uint64_t{1} << (point % 64);
        }
    }
    return bits;
}
