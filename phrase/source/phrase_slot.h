// The phrases of one first character while a phrase list is read: the
// character indexes after the first of each phrase, back to back, bit 15
// set on the last of each. Packed this way the store of a long list stays
// small; the PhraseDatabase is made from it once the list is read.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr uint16_t kPhraseEndBit = 0x8000;

struct PhraseSlot {
    std::vector<uint16_t> words;
};
