// A set of entry numbers, told apart by a hash and an equality test that
// the caller gives: open addressing over one array of 64-bit slots (the
// number and 32 bits of its hash, so that the equality test runs only on a
// likely match), a few bytes for each of millions of entries.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/huge_pages.h"

class IndexSet {
  public:
    static constexpr uint32_t kNone = UINT32_MAX;

    explicit IndexSet(std::size_t expected) {
        const std::size_t slots = std::bit_ceil(expected + expected / 3 + 16);
        reserveHugePages(slots_, slots);
        slots_.assign(slots, kEmpty);
    }

    // The number already in the set that `same` calls equal to `index`
    // (whose hash is `hash`); kNone, after adding `index`, when none is.
    template <class Same>
    uint32_t insert(uint32_t index, uint64_t hash, Same same) {
        const std::size_t mask = slots_.size() - 1;
        const uint64_t tag = hash & 0xFFFFFFFF00000000u;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const uint64_t held = slots_[slot];
            if (held == kEmpty) {
                slots_[slot] = tag | index;
                return kNone;
            }
            const auto number = static_cast<uint32_t>(held);
            if ((held & 0xFFFFFFFF00000000u) == tag && same(number)) return number;
        }
    }

    // Asks for the slot where a look-up of `hash` starts, ahead of it.
    void prefetch(uint64_t hash) const { __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]); }

  private:
    static constexpr uint64_t kEmpty = UINT64_MAX;
    std::vector<uint64_t> slots_;
};

// FNV-1a over some bytes, mixed at the end so the low bits spread well.
inline uint64_t hashBytes(const char* bytes, std::size_t size,
                          uint64_t hash = 14695981039346656037u) {
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ static_cast<uint8_t>(bytes[i])) * 1099511628211u;
    }
    return hash ^ (hash >> 29);
}
