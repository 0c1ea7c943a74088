// CTosker: the one record of a Tosker run. It holds the PhraseDatabase that
// the run reads or writes, the phrase store (one phrase list per character
// index) while a list is read, the key table and the source with its line
// buffer. Everything is released when the record is destroyed at the end of
// the run.
#pragma once

#include <vector>

#include "foundation/diagnostics.h"
#include "foundation/key_table.h"
#include "foundation/phrase_database.h"
#include "foundation/source_reader.h"
#include "phrase/source/phrase_index.h"

struct CTosker {
    CTosker();

    PhraseDatabase database;
    bool utf8Source = false;        // the source was written in UTF-8
    std::vector<PhraseSlot> slots;  // one per character index of the CharSet
    PhraseIndex phraseIndex;        // the phrases of the slots
    CKeyTable keyTable;
    SourceReader source;
    // The MaxPhraseLength the list sets; 0 when it sets none.
    int statedMaxPhraseLength = 0;
    // When set, a phrase line that goes on with ",USER" files a user phrase,
    // as the list of a database with user phrases says them; a compile
    // drops the mark.
    bool readUserMarks = false;
    // The user phrases read so far: each its length, then its characters.
    std::vector<uint16_t> userMarks;
};
