// How codes are stored: bits per code symbol and the bytes of each code kept
// in the main and the rest code tables.
#pragma once

#include <cstdint>

struct CodeGeometry {
    uint16_t bitsPerCode = 0;
    uint16_t codeHeadBytes = 0;
    uint16_t codeRestBytes = 0;
};

// The geometry of codes of at most `maxCodes` of `usedCodeCount` symbols in
// coding style `codingStyle`. Returns 0, or 604 after reporting it when a
// style 1 code would pack into more than 4 bytes.
int codeGeometry(int codingStyle, int usedCodeCount, int maxCodes, CodeGeometry& geometry);
