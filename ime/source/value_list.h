// Comma-separated lists of two-byte values ("DispalyCodes", "Row1" to
// "Row4"): each item is one or two bytes as written, or "0x" and one or two
// hexadecimal digits for a single byte ("0x2C" stands for the comma).
#pragma once

#include <vector>

#include "ime/value_pair.h"

// Reads the items up to the first empty one into `items`. Returns 0, or
// kStopStatus after reporting a malformed item (606).
int parseValueList(const char* text, std::vector<ValuePair>& items);
