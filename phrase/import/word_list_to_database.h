// Tosker /i to a database: a word list imported and compiled in one run, as
// "Tosker /i" and then "Tosker /f" on the list it writes would, with nothing
// written in between.
#pragma once

#include "foundation/char_sets.h"

// Reads `list` and writes the phrase database `destination`, and beside it
// the list of the phrases the fit left out when it left any out: both or
// neither, each checked against the files read and the other first (105).
// Returns 0 or the number of the message that stopped it.
int importWordListToDatabase(CharSet charSet, const char* list, const char* destination);
