// The phrase store: every accepted phrase is filed under its first character
// (its slot) in an anonymous temporary file; the slot table says where each
// slot's block lies. A phrase is kept as big-endian 16-bit words, one per
// character after the first, bit 15 set on the last word.
#pragma once

#include <cstdint>

#include "phrase/tosker_context.h"

inline constexpr int kMaxSlotBytes = 4096;  // 2048 words
inline constexpr int kSlotGrowth = 128;
// The name the store goes by in messages.
inline constexpr char kStoreName[] = "TEMP";

// Creates the zeroed slot table for every character index of the CharSet
// (200 when memory runs out) and the temporary file (104 "TEMP").
int openPhraseStore(CTosker& tosker);

// Reads the phrase list of `slot` into `buffer` (kMaxSlotBytes); false on a
// short read.
bool readSlot(CTosker& tosker, const PhraseSlot& slot, uint8_t* buffer);

// True when the slot already holds a phrase of exactly these `count` words.
// A failed read of the store ends the process with status 1.
bool isDuplicatePhrase(CTosker& tosker, int slot, const uint8_t* words, int count);

// Files the phrase under `slot` and counts it; 905, 101 or 102 on failure.
int appendPhrase(CTosker& tosker, int slot, const uint8_t* words, int count);
