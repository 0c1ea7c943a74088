// ImeHeader: the 256-byte leading record of an input-method database
// (resource "RT11"), kept in host order in memory.
//
//   offset size field            offset size field
//   0      2    version (BE)     40     1    wildChar
//   2      2    charSet (BE)     41     1    separateChar
//   4      2    minHZIndex (BE)  42     2    autoSelectKeys (BE)
//   6      2    maxHZIndex (BE)  44     2    maxCodes (BE)
//   8      4    hzTotal (BE)     46     2    usedCodeCount (BE)
//   12     4    id               48     64   usedCodes
//   16     4    reserved         112    16   tuneCodes
//   20     1    noSort           128    32   fullName
//   21     1    codingStyle      160    16   name
//   22     1    indexDepth       176    16   versionText
//   23     1    codingSubtype    192    32   copyright
//   24..38 2    ruleCount, ruleSize, minRuleItems, maxRuleItems,
//               bitsPerCode, codeHeadBytes, codeRestBytes, repeatCount (BE)
//   224    16   author           240    16   reserved
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr int kImeHeaderSize = 256;

struct ImeHeader {
    uint16_t version;
    uint16_t charSet;
    uint16_t minHZIndex;
    uint16_t maxHZIndex;
    uint32_t hzTotal;
    uint8_t id[4];
    uint8_t reserved1[4];
    uint8_t noSort;
    uint8_t codingStyle;
    uint8_t indexDepth;
    uint8_t codingSubtype;
    uint16_t ruleCount;
    uint16_t ruleSize;
    uint16_t minRuleItems;
    uint16_t maxRuleItems;
    uint16_t bitsPerCode;
    uint16_t codeHeadBytes;
    uint16_t codeRestBytes;
    uint16_t repeatCount;
    uint8_t wildChar;
    uint8_t separateChar;
    uint16_t autoSelectKeys;
    uint16_t maxCodes;
    uint16_t usedCodeCount;
    char usedCodes[64];
    char tuneCodes[16];
    char fullName[32];
    char name[16];
    char versionText[16];
    char copyright[32];
    char author[16];
    uint8_t reserved2[16];
};

static_assert(sizeof(ImeHeader) == kImeHeaderSize);
static_assert(offsetof(ImeHeader, hzTotal) == 8);
static_assert(offsetof(ImeHeader, noSort) == 20);
static_assert(offsetof(ImeHeader, ruleCount) == 24);
static_assert(offsetof(ImeHeader, wildChar) == 40);
static_assert(offsetof(ImeHeader, autoSelectKeys) == 42);
static_assert(offsetof(ImeHeader, usedCodes) == 48);
static_assert(offsetof(ImeHeader, tuneCodes) == 112);
static_assert(offsetof(ImeHeader, fullName) == 128);
static_assert(offsetof(ImeHeader, name) == 160);
static_assert(offsetof(ImeHeader, versionText) == 176);
static_assert(offsetof(ImeHeader, copyright) == 192);
static_assert(offsetof(ImeHeader, author) == 224);

// Turns the multi-byte fields into big-endian order, in place.
void swapHeaderBytes(ImeHeader& header);
