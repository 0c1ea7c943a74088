// Mabrel /i to a database: a desktop table imported and compiled in one run,
// as "Mabrel /i" and then "Mabrel /f" on the source it writes and
// "Tosker /f" on its phrase list would, with nothing written in between.
#pragma once

#include "foundation/char_sets.h"
#include "ime/mabrel_context.h"

// Reads `table` and writes the input-method database `destination`; beside
// it the phrase database of the table's words (its name ending in
// "-phrases.pdb") when it has words, and the list of what each fit left out
// where it left something out: all or none, each checked against the files
// read and the others first (105). Returns 0 or the number of the message
// that stopped it.
int importTableToDatabase(CMabrel& mabrel, CharSet charSet, const char* table,
                          const char* destination);
