// Tosker /i: a word list (rime dictionary, essay.txt, frequency list, plain
// list) written as a phrase list.
#pragma once

#include "foundation/char_sets.h"

// Reads `list` and writes the phrase list `destination`. `charSet` is the
// CharSet asked for, or 0 to choose one. Returns 0 or the number of the
// message that stopped it.
int importWordList(CharSet charSet, const char* list, const char* destination);
