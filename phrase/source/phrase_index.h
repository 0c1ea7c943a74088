// The phrases of the store by their words, for the test of a phrase filed
// twice under one first character. Each slot has a Bloom filter of its own,
// a region of one shared bit array, with 8 bits for each phrase it is made
// for and 3 bits set by each phrase: a phrase whose bits are not all set is
// not in the slot, and only one whose bits are is looked for among the
// slot's words. The filters of a long list stay in the fastest memory, where
// a table that holds the phrases themselves would not. A region moves to
// one twice as large at the end of the array when more phrases come than it
// was made for.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "phrase/source/phrase_slot.h"

class PhraseIndex {
  public:
    // Makes room for `phrases` phrases under `slot`, of `slotCount` slots.
    void reserve(int slot, std::size_t phrases, std::size_t slotCount);
    // Makes room at once for the filters of every slot, `phrases[slot]`
    // phrases under each, before they are reserved one by one.
    void reserveAll(std::span<const uint32_t> phrases);
    // True when `slots[slot]` holds a phrase of exactly these characters
    // after the first.
    bool contains(const std::vector<PhraseSlot>& slots, int slot,
                  std::span<const uint16_t> words) const;
    // Adds the phrase whose `length` characters after the first start at
    // `start` in the slot.
    void add(const std::vector<PhraseSlot>& slots, int slot, std::size_t start, std::size_t length);
    void clear();

    // Hints that the slot is about to be used: its record first, then,
    // once that has arrived, its filter.
    void prefetchRecord(int slot) const;
    void prefetchFilter(int slot) const;

  private:
    struct Region {
        uint32_t base = 0;   // the first 64-bit word of the filter
        uint32_t words = 0;  // a power of two
        uint32_t count = 0;  // phrases added
    };
    void makeRegion(Region& region, std::size_t phrases, const std::vector<uint16_t>& held);

    std::vector<Region> regions_;  // by slot
    std::vector<uint64_t> bits_;
};
