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

// True when the slot already holds a phrase of exactly these characters
// after its first.
bool isDuplicatePhrase(const CTosker& tosker, int slot, std::span<const uint16_t> rest);

// True when the slot can take `wordCount` more words.
bool slotHasRoom(const CTosker& tosker, int slot, std::size_t wordCount);

// Files the phrase of first character `slot` and characters `rest` after
// it; 905 when the slot would pass the words of a list, unless the store
// is not `bounded` by the database's room.
int appendPhrase(CTosker& tosker, int slot, std::span<const uint16_t> rest, bool bounded = true);

// The phrases the store holds.
std::size_t filedPhrases(const CTosker& tosker);

// Moves the phrases of the store into the database record and empties the
// store.
void storeIntoDatabase(CTosker& tosker);
