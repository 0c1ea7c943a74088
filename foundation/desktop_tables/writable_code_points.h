// Where a CharSet's double-byte characters lie among the code points: a few
// ranges per set, outside which none of the set's iconv mappings writes a
// code point as one of its characters. A table of ext-B characters asked in
// ChineseGB is answered from them, without a conversion per character.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/char_sets.h"

// False when no mapping of `charSet` writes `point` as a double-byte
// character; true when one may (iconv is then asked).
bool mayBeDoubleByte(CharSet charSet, char32_t point);

// The same for every code point of the basic plane, a bit each (bit p % 64
// of word p / 64): looked up instead of searched, character by character.
std::vector<uint64_t> basicPlaneMayBeDoubleByte(CharSet charSet);
