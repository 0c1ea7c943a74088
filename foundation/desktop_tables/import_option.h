// The option of an import, "/i" or "/iCharSet", as both tools take it.
#pragma once

#include "foundation/char_sets.h"

// The CharSet named after "/i" in `option`, 0 for "/i" alone; false when a
// name follows that is no CharSet.
inline bool importCharSet(const char* option, CharSet& charSet) {
    charSet = option[2] == '\0' ? 0 : charSetFromName(option + 2);
    return option[2] == '\0' || charSet != 0;
}
