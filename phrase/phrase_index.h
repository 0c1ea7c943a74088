// The phrases of the store by their words, for the test of a phrase filed
// twice under one first character. Each slot has an open-addressing hash
// table of its own, small and close to the slot's words: a cell holds 1 +
// the position of a phrase's first word in the slot (12 bits, a slot holds at
// most 2048 words) under 4 bits of the phrase's hash, 0 when empty.
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
    struct SlotTable {
        std::vector<uint16_t> cells;  // a power of two, at most half used
        std::size_t count = 0;
    };
    void grow(SlotTable& table, const std::vector<uint16_t>& held);

    std::vector<SlotTable> tables_;  // by slot, made as slots gain phrases
};
