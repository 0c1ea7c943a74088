// The phrases of the store by their words, for the test of a phrase filed
// twice under one first character. An open-addressing hash set whose cells
// name a phrase by its slot, the position of its first word in the slot and
// its word count; the words themselves stay in the store.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "phrase/data_block.h"

class PhraseIndex {
  public:
    // True when `slots[slot]` holds a phrase of exactly these words.
    bool contains(const std::vector<PhraseSlot>& slots, int slot,
                  std::span<const uint16_t> words) const;
    // Adds the phrase of `length` words that starts at word `start` of the
    // slot; the index does not hold it yet.
    void add(const std::vector<PhraseSlot>& slots, int slot, std::size_t start, std::size_t length);
    void clear();

  private:
    std::size_t findCell(const std::vector<PhraseSlot>& slots, uint32_t hash, int slot,
                         std::span<const uint16_t> words) const;
    void grow();

    std::vector<uint64_t> cells_;  // a power of two, at most half used
    std::size_t count_ = 0;
    // The empty cell where the last search for a missing phrase ended, and
    // that phrase's hash: add() of that phrase goes there without a search.
    mutable std::size_t freeCell_ = 0;
    mutable uint32_t freeHash_ = 0;
    mutable bool freeKnown_ = false;
};
