// The phrases of the store by their words, for the test of a phrase filed
// twice under one first character. Each slot has an open-addressing hash
// table of its own, a region of one shared array of cells: a cell holds 1 +
// the position of a phrase's first word in the slot (12 bits, a slot holds
// at most 2048 words) under 4 bits of the phrase's hash, 0 when empty. A
// region is made as large as the phrases announced for its slot need, and
// moves to a region twice as large at the end of the array when more come.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "phrase/data_block.h"

class PhraseIndex {
  public:
    // Makes room for `phrases` phrases under `slot`, of `slotCount` slots.
    void reserve(int slot, std::size_t phrases, std::size_t slotCount);
    // True when `slots[slot]` holds a phrase of exactly these words.
    bool contains(const std::vector<PhraseSlot>& slots, int slot,
                  std::span<const uint16_t> words) const;
    // Adds the phrase of `length` words that starts at word `start` of the
    // slot; the index does not hold it yet.
    void add(const std::vector<PhraseSlot>& slots, int slot, std::size_t start, std::size_t length);
    void clear();

  private:
    struct Region {
        uint32_t base = 0;
        uint32_t size = 0;  // a power of two, at most half used
        uint32_t count = 0;
    };
    void moveRegion(Region& region, std::size_t size, const std::vector<uint16_t>& held);

    std::vector<Region> regions_;  // by slot
    std::vector<uint16_t> cells_;
};
