// CMabrel: the one record of a Mabrel run. It owns every block that ends up
// in the database, the key table and the source with its line buffer; the
// blocks are released when the record is destroyed at the end of the run.
#pragma once

#include <array>
#include <cstdint>

#include "foundation/diagnostics.h"
#include "foundation/key_table.h"
#include "foundation/source_reader.h"
#include "ime/ime_header.h"

inline constexpr int kMaxRules = 20;
inline constexpr int kKeyMapSize = 120;

// The seven tables built from the code table, with their sizes in bytes.
// All 16-bit slots are stored big-endian.
struct CodeTables {
    ZeroedBlock index;         // "RT31"
    ZeroedBlock bits;          // "RT41"
    ZeroedBlock bitsRest;      // "RT42", coding style 1
    ZeroedBlock hzInd;         // "RT32", coding style 2
    ZeroedBlock hzTab;         // "RT33"
    ZeroedBlock hzMap;         // "RT51", one slot per character index
    ZeroedBlock repeatBlocks;  // "RT52"
    uint32_t indexSize = 0;
    uint32_t bitsSize = 0;
    uint32_t bitsRestSize = 0;
    uint32_t hzIndSize = 0;
    uint32_t hzTabSize = 0;
};

struct CMabrel {
    CMabrel();

    ImeHeader header{};
    char databaseName[32] = {};
    ZeroedBlock displayCodes;  // usedCodeCount entries of 2 bytes
    uint16_t bitmapSize = 0;
    ZeroedBlock keyboardBitmap;
    ZeroedBlock keyMap;  // 120 bytes
    std::array<ZeroedBlock, kMaxRules> rules;
    CodeTables tables;
    ZeroedBlock helpText;
    uint16_t helpSize = 0;
    CKeyTable keyTable;
    SourceReader source;
};
