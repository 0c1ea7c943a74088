// The words of an import compiled as "Tosker /f" compiles the list the import
// would write of them: the same database, the same list of what was left
// out, the same messages but for the lines that name the files.
#pragma once

#include <string>

#include "foundation/desktop_tables/phrase_list_import.h"
#include "foundation/output_pieces.h"
#include "phrase/import/left_out_words.h"
#include "phrase/source/phrase_fitting.h"

struct CompiledPhrases {
    std::string database;   // its bytes, dated by the run's date
    LeftOutWords leftOut;   // what was left out
    PhraseFitting fitting;  // its counts; the phrases left out are in leftOut
    int phraseCount = 0;

    // What makes the list of what was left out, which is written when
    // anything was; it reads this record, which outlives the writing.
    bool leftAnyOut() const { return leftOut.count > 0; }
    OutputProducer leftOutList() const {
        return [this](OutputPieces& pieces) { writeLeftOutWords(leftOut, pieces); };
    }
};

// Compiles `words` (its database taken) with Tosker's key names and messages (a caller of another
// tool makes its own current again afterwards), up to the closing lines,
// which reportCompileTotals prints once the files are written; the repeated
// warnings are reported at its end. Returns 0 or the number of the message
// that stopped it.
int compileImportedWords(ImportedWords& words, CompiledPhrases& compiled);
