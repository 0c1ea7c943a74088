// How codes are stored: bits per code symbol and the bytes of each code kept
// in the main and the rest code tables.
#pragma once

#include "ime/ime_header.h"

// Sets bitsPerCode, codeHeadBytes and codeRestBytes from codingStyle,
// usedCodeCount and maxCodes. Returns 0, or 604 when a style 1 code would
// pack into more than 4 bytes.
int setCodeGeometry(ImeHeader& header);
