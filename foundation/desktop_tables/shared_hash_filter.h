// Which hashes of a run of millions share a slot with another: two bits a
// slot, four slots a hash added, so that the filter of a 3,000,000-word list
// takes 3 MB and stays in the processor's cache, where a set of the words
// themselves takes 16 MB and does not. A hash whose slot no other shares is
// one of a kind; the others (about one in five, the repeats among them) are
// for an exact look-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/huge_pages.h"

class SharedHashFilter {
  public:
    explicit SharedHashFilter(std::size_t hashes) : slots_(4 * hashes + 64) {
        reserveHugePages(bits_, (slots_ + kSlotsAWord - 1) / kSlotsAWord, PageUse::kProbed);
        bits_.resize((slots_ + kSlotsAWord - 1) / kSlotsAWord);
    }

    // Asks for the slot of `hash` ahead of its add or question.
    void prefetch(uint64_t hash) const { __builtin_prefetch(&bits_[slotOf(hash) / kSlotsAWord]); }

    void add(uint64_t hash) {
        const std::size_t slot = slotOf(hash);
        uint64_t& bits = bits_[slot / kSlotsAWord];
        const uint64_t once = uint64_t{1} << (2 * (slot % kSlotsAWord));
        if ((bits & once) == 0) {
            bits |= once;
            return;
        }
        bits |= once << 1;
        ++shared_;
    }

    // Whether another hash added has the slot of `hash`, which was added.
    bool shared(uint64_t hash) const {
        const std::size_t slot = slotOf(hash);
        return (bits_[slot / kSlotsAWord] >> (2 * (slot % kSlotsAWord) + 1) & 1) != 0;
    }

    // At least half of the hashes added whose slot another shares.
    std::size_t sharedCount() const { return shared_; }

  private:
    // A slot's two bits: another hash has it once, then twice or more.
    static constexpr std::size_t kSlotsAWord = 32;

    // Mixed otherwise than CompactIndexSet mixes, so that the hashes whose
    // slots are shared here do not crowd together there.
    std::size_t slotOf(uint64_t hash) const {
        const auto mixed = static_cast<uint32_t>((hash * 0xD6E8FEB86659FD93u) >> 16);
        return static_cast<std::size_t>((uint64_t{mixed} * slots_) >> 32);
    }

    std::size_t slots_;
    std::vector<uint64_t> bits_;
    std::size_t shared_ = 0;
};
