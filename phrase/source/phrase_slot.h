// The phrases of one first character while a phrase list is read, back to
// back: for each, the number of its characters after the first, then their
// character indexes. Packed this way the store of a long list stays small;
// the PhraseDatabase is made from it once the list is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PhraseSlot {
    std::vector<uint16_t> held;
    std::size_t words = 0;  // what its phrases take of the list in the database
};
