// A set of numbers told apart by a hash and an equality test that the
// caller gives, in four bytes a slot: open addressing over the numbers
// alone, so that every candidate slot is checked by the caller's test. For
// the sets an import of a million codes keeps beside its table, where
// memory is tighter than time. The set doubles when half full, asking the
// caller for the hash of each number again.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/huge_pages.h"

class CompactIndexSet {
  public:
    static constexpr uint32_t kNone = UINT32_MAX;

    explicit CompactIndexSet(std::size_t expected) { resize(std::bit_ceil(2 * expected + 16)); }

    // The number already in the set that `same` calls equal to `index`
    // (whose hash is `hash`); kNone, after adding `index`, when none is.
    // `hashOf` gives the hash of a number in the set.
    template <class HashOf, class Same>
    uint32_t insert(uint32_t index, uint64_t hash, HashOf hashOf, Same same) {
        if (2 * (count_ + 1) > slots_.size()) grow(hashOf);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const uint32_t held = slots_[slot];
            if (held == kNone) {
                slots_[slot] = index;
                ++count_;
                return kNone;
            }
            if (same(held)) return held;
        }
    }

    std::size_t size() const { return count_; }

  private:
    void resize(std::size_t slots) {
        std::vector<uint32_t>().swap(slots_);
        reserveHugePages(slots_, slots);
        slots_.assign(slots, kNone);
    }

    template <class HashOf>
    void grow(HashOf hashOf) {
        std::vector<uint32_t> held;
        held.reserve(count_);
        for (const uint32_t number : slots_) {
            if (number != kNone) held.push_back(number);
        }
        resize(2 * slots_.size());
        const std::size_t mask = slots_.size() - 1;
        for (const uint32_t number : held) {
            std::size_t slot = hashOf(number) & mask;
            while (slots_[slot] != kNone) slot = (slot + 1) & mask;
            slots_[slot] = number;
        }
    }

    std::vector<uint32_t> slots_;
    std::size_t count_ = 0;
};
