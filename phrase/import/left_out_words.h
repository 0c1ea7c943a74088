// The words an import's fit left out, kept as places in the database's pool
// of characters rather than as text, and the list of them ("line TAB word
// TAB reason", in UTF-8 as the list "Tosker /f" writes of an imported list)
// made from them a piece at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/output_pieces.h"

struct LeftOutWord {
    uint32_t line;   // in the list the import would write
    uint32_t start;  // its characters in `LeftOutWords::characters`
    uint8_t length;
    bool forBlock;  // its block is full, not its first character
};

struct LeftOutWords {
    CharSet charSet = 0;
    std::vector<LeftOutWord> words;  // in line order
    std::vector<uint16_t>
        characters;  // the database's pool, the left-out words' characters with it
};

// Appends the list of `leftOut` to `pieces`.
void writeLeftOutWords(const LeftOutWords& leftOut, OutputPieces& pieces);
