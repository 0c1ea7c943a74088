// The characters of a ChineseBIG5 table that lie outside the Big5 of
// the standard: byte pairs that the C library's BIG5-HKSCS reads and its BIG5
// does not. A handheld whose font holds Big5 alone shows none of them.
#pragma once

#include <optional>
#include <vector>

#include "foundation/char_sets.h"

// How many of the character indexes in use (`usesOfIndex[index] > 0`: codes
// of an input method, phrases of a phrase list) are such characters; nothing
// for another CharSet, or when the C library lacks one of the two
// conversions.
std::optional<int> hkscsCharacters(CharSet charSet, const std::vector<int>& usesOfIndex);
