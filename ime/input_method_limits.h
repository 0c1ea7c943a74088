// What an input method may say, whoever fills it: the bounds its parser
// enforces and its layout relies on.
#pragma once

#include <cstddef>
#include <cstdint>

// An ID is four bytes; MaxCodes is at most 12 keys.
inline constexpr std::size_t kIdLength = 4;
inline constexpr int kMaxMaxCodes = 12;

// At most this many rules, each of at most this many items.
inline constexpr int kMaxRules = 20;
inline constexpr int kMaxRuleItems = 41;

// Style 1 packs each code into at most 4 bytes: its symbols of
// bitsPerCodeSymbol bits each, and two bits more, rounded up to whole bytes.
inline constexpr int kMaxPackedCodeBytes = 4;

// Style 1 keeps symbol value 0 free, so n code characters need the values
// 1 to n.
constexpr uint16_t bitsPerCodeSymbol(int usedCodeCount) {
    uint16_t bits = 2;
    while ((1 << bits) - 1 < usedCodeCount) ++bits;
    return bits;
}

constexpr int packedCodeBytes(int usedCodeCount, int maxCodes) {
    return (bitsPerCodeSymbol(usedCodeCount) * maxCodes + 9) / 8;
}

constexpr bool packedCodesFit(int usedCodeCount, int maxCodes) {
    return packedCodeBytes(usedCodeCount, maxCodes) <= kMaxPackedCodeBytes;
}
