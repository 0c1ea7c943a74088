// The words an import's fit left out, kept as places in the database's pool
// of characters rather than as text, and the list of them ("line TAB word
// TAB reason", in UTF-8 as the list "Tosker /f" writes of an imported list)
// made from them a piece at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/desktop_tables/phrase_list_import.h"
#include "foundation/output_pieces.h"

// Every word of the import in weight order, as the fit judged it, with
// where its characters start in the database's pool.
struct LeftOutWords {
    static constexpr uint8_t kLength = kWordLength;
    static constexpr uint8_t kLeftOut = kWordLeftOut;
    static constexpr uint8_t kForBlock = 0x80;  // its block is full, not its first character

    CharSet charSet = 0;
    int firstLine = 0;                 // of the first word, in the list the import would write
    std::vector<uint8_t> words;        // by weight: its length, kLeftOut, kForBlock
    std::vector<uint32_t> starts;      // by weight: where its characters start
    std::size_t count = 0;             // how many were left out
    std::vector<uint16_t> characters;  // the database's pool, the left-out words' with it
};

// Appends the list of `leftOut` to `pieces`.
void writeLeftOutWords(const LeftOutWords& leftOut, OutputPieces& pieces);
