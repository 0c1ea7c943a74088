// Comma-separated lists of two-byte values ("DispalyCodes", "Row1" to
// "Row4"): each item is one or two bytes as written, or "0x" and one or two
// hexadecimal digits for a single byte ("0x2C" stands for the comma).
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kMaxValueItems = 128;
using ValueItems = std::array<uint8_t, 2 * kMaxValueItems>;

// Stores two bytes per item (the second zero for a single byte) and returns
// the number of items up to the first empty one. Items past the area's 128
// are checked and counted but not stored. A malformed item is reported (606)
// and ends the process with status 1.
int parseValueList(const char* text, ValueItems& items);
