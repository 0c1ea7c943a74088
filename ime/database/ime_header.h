// ImeHeader: the leading record of an input-method database (resource
// "RT11"), 256 bytes, every number big-endian:
//
//   offset size field            offset size field
//   0      2    version          40     1    wildChar
//   2      2    charSet          41     1    separateChar
//   4      2    minHZIndex       42     2    autoSelectKeys
//   6      2    maxHZIndex       44     2    maxCodes
//   8      4    hzTotal          46     2    usedCodeCount
//   12     4    id               48     64   usedCodes
//   16     4    reserved         112    16   tuneCodes
//   20     1    noSort           128    32   fullName
//   21     1    codingStyle      160    16   name
//   22     1    indexDepth       176    16   versionText
//   23     1    codingSubtype    192    32   copyright
//   24..38 2    ruleCount, ruleSize, minRuleItems, maxRuleItems,
//               bitsPerCode, codeHeadBytes, codeRestBytes, repeatCount
//   224    16   author           240    16   reserved
//
// The texts are NUL-terminated and zero-filled to their field's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr int kImeHeaderSize = 256;
inline constexpr uint16_t kImeFormatVersion = 0x0200;

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

void encodeImeHeader(const ImeHeader& header, std::vector<uint8_t>& body);
// False when the body is not 256 bytes long.
bool decodeImeHeader(const uint8_t* body, std::size_t size, ImeHeader& header);
