// Mabrel /i to a database: a desktop table imported and compiled in one run,
// as "Mabrel /i" and then "Mabrel /f" on the source it writes and
// "Tosker /f" on its phrase list would, with nothing written in between.
#pragma once

#include <string>

#include "foundation/char_sets.h"
#include "ime/database/code_table_fitting.h"
#include "ime/mabrel_context.h"

// An input-method database made in memory and what its fit left out, with
// what the list of those is written in.
struct FittedInputMethod {
    std::string database;  // its bytes, dated by the run's date
    CodeTableFitting fitting;
    CharSet charSet = 0;
    bool utf8 = false;
};

// The compile past reading: `im`, as read from a source, fitted and laid out
// as "Mabrel /f" does, its first 10 pairs left out warned of. `utf8` says
// that the source was UTF-8, which the list is then written in. Returns 0 or
// the number of the message that stopped it.
int fitInputMethod(InputMethod& im, bool utf8, FittedInputMethod& fitted);

// Reads `table` and writes the input-method database `destination`; beside
// it the phrase database of the table's words (its name ending in
// "-phrases.pdb") when it has words, and the list of what each fit left out
// where it left something out: all or none, each checked against the files
// read and the others first (105). Returns 0 or the number of the message
// that stopped it.
int importTableToDatabase(CMabrel& mabrel, CharSet charSet, const char* table,
                          const char* destination);
