// The words an import keeps, fitted as "Tosker /f" fits the phrase list the
// import would write of them, with no list written: below its five lines of
// keys, word k of the list stands on line 6 + k.
#pragma once

#include "foundation/desktop_tables/phrase_list_import.h"
#include "phrase/import/left_out_words.h"
#include "phrase/source/phrase_fitting.h"
#include "phrase/tosker_context.h"

// Moves the words into `tosker.database`, less those that the fit leaves
// out (warned of and counted in `fitting`, and in `leftOut` with their
// lines; its characters are the database's), as a compile of the list would
// leave it. Returns 0 or the number of the message that stopped it (509 when every
// word is left out).
int fitImportedWords(ImportedWords& words, CTosker& tosker, PhraseFitting& fitting,
                     LeftOutWords& leftOut);
