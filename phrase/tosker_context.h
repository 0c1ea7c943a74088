// CTosker: the one record of a Tosker run. It holds the HeadRecord of the
// phrase database, the phrase store (one phrase list per character index),
// the key table and the source with its line buffer. Everything is released
// when the record is destroyed at the end of the run.
#pragma once

#include <vector>

#include "foundation/diagnostics.h"
#include "foundation/key_table.h"
#include "foundation/source_reader.h"
#include "phrase/data_block.h"
#include "phrase/head_record.h"
#include "phrase/phrase_index.h"

inline constexpr int kDatabaseNameSize = 32;

struct CTosker {
    CTosker();

    HeadRecord head{};
    char databaseName[kDatabaseNameSize] = {};
    bool utf8Source = false;        // the source was written in UTF-8
    std::vector<PhraseSlot> slots;  // one per character index of head.charSet
    PhraseIndex phraseIndex;        // the phrases of the slots
    CKeyTable keyTable;
    SourceReader source;
};
