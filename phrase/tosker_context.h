// CTosker: the one record of a Tosker run. Its leading part is the HeadRecord
// of the phrase database; it owns the phrase store (temporary file and slot
// table), the key table and the source with its line buffer. Everything is
// released when the record is destroyed at the end of the run.
#pragma once

#include <cstdint>
#include <memory>

#include "foundation/diagnostics.h"
#include "foundation/key_table.h"
#include "foundation/source_reader.h"
#include "phrase/phrase_layout.h"

inline constexpr int kDatabaseNameSize = 32;

// Where the phrases of one first character lie in the phrase store.
struct PhraseSlot {
    int32_t offset;    // position of the slot's block in the temporary file
    int16_t length;    // bytes of phrase words held, at most 4096
    int16_t capacity;  // bytes reserved for the block, never below length
};

using SlotTable = std::unique_ptr<PhraseSlot[], ZeroedRelease>;

struct CTosker {
    CTosker();

    HeadRecord head{};
    char databaseName[kDatabaseNameSize] = {};
    FileHandle tempFile;
    SlotTable slots;  // one per character index of head.charSet
    CKeyTable keyTable;
    SourceReader source;
};
