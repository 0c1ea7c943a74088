// The phrase store: every accepted phrase is filed under its first character
// (its slot), after the phrases already there.
#pragma once

#include <cstdint>
#include <span>

#include "phrase/tosker_context.h"

// Makes an empty slot for every character index of the CharSet.
void openPhraseStore(CTosker& tosker);

// Takes the room for the phrases to come at once: at most `phrases[slot]`
// phrases of `words[slot]` words in all under each slot.
void reservePhraseStore(CTosker& tosker, std::span<const uint32_t> phrases,
                        std::span<const uint32_t> words);

// True when the slot already holds a phrase of exactly these words.
bool isDuplicatePhrase(const CTosker& tosker, int slot, std::span<const uint16_t> words);

// True when the slot can take `wordCount` more words.
bool slotHasRoom(const CTosker& tosker, int slot, std::size_t wordCount);

// Files the phrase under `slot` and counts it; 905 when the slot would pass
// 2048 words, unless the store is not `bounded` by the database's room.
int appendPhrase(CTosker& tosker, int slot, std::span<const uint16_t> words, bool bounded = true);

// Moves the phrases of the store into the database record and empties the
// store.
void storeIntoDatabase(CTosker& tosker);
