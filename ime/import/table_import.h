// Mabrel /i: a desktop input-method table written as a Mabrel source, its
// words as a Tosker phrase list beside it.
#pragma once

#include "foundation/char_sets.h"

// Reads `table` and writes `destination` (and its phrase list when the table
// has words). `charSet` is the CharSet asked for, or 0 to choose one.
// Returns 0 or the number of the message that stopped it.
int importTable(CharSet charSet, const char* table, const char* destination);
