// A set of numbers told apart by a hash and an equality test that the
// caller gives, in four bytes a slot: open addressing over the numbers
// alone, so that every candidate slot is checked by the caller's test. For
// the sets an import of a million codes keeps beside its table, where
// memory is tighter than time. The slots are not a power of two: a hash,
// mixed, picks its first slot by its upper 32 bits scaled to their count, so
// that the set takes four slots for three numbers, not up to four slots a
// number. The set grows by half when three quarters full, asking the caller
// for the hash of each number again.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/huge_pages.h"

class CompactIndexSet {
  public:
    static constexpr uint32_t kNone = UINT32_MAX;

    // `indexCount`, where given, bounds the numbers (all below it): the
    // bits of a slot they leave free keep a few bits of each number's hash,
    // so that most slots of other numbers are passed without asking `same`.
    explicit CompactIndexSet(std::size_t expected, std::size_t indexCount = 0) {
        if (indexCount > 0 && indexCount < (std::size_t{1} << 30)) {
            int bits = 1;
            while ((std::size_t{1} << bits) <= indexCount) ++bits;
            numberMask_ = (uint32_t{1} << bits) - 1;  // never all ones: kNone stays apart
        }
        resize(expected + expected / 3 + 16);
    }

    // The number already in the set that `same` calls equal to `index`
    // (whose hash is `hash`); kNone, after adding `index`, when none is.
    // `hashOf` gives the hash of a number in the set.
    template <class HashOf, class Same>
    uint32_t insert(uint32_t index, uint64_t hash, HashOf hashOf, Same same) {
        if (4 * (count_ + 1) > 3 * slots_.size()) grow(hashOf);
        const uint32_t tag = tagOf(hash);
        for (std::size_t slot = firstSlot(hash);; slot = nextSlot(slot)) {
            const uint32_t held = slots_[slot];
            if (held == kNone) {
                slots_[slot] = index | tag;
                ++count_;
                return kNone;
            }
            if ((held & ~numberMask_) == tag && same(held & numberMask_)) {
                return held & numberMask_;
            }
        }
    }

    std::size_t size() const { return count_; }

    // Asks for the slot where an insert of `hash` starts, ahead of it.
    void prefetch(uint64_t hash) const { __builtin_prefetch(&slots_[firstSlot(hash)]); }

    // The numbers held, in ascending order, in a buffer with room for
    // `room` of them (huge pages asked for it), made once the set's own slots
    // are given back; the set is not used afterwards.
    std::vector<uint32_t> takeAscending(std::size_t room) {
        // A bit a number: the numbers are bounded by the mask where one was
        // given, else by the largest held.
        std::size_t bound = std::size_t{numberMask_} + 1;
        if (numberMask_ == UINT32_MAX) {
            uint32_t largest = 0;
            for (const uint32_t slot : slots_) {
                if (slot != kNone) largest = std::max(largest, slot);
            }
            bound = count_ > 0 ? std::size_t{largest} + 1 : 0;
        }
        std::vector<uint64_t> held((bound + 63) / 64);
        for (const uint32_t slot : slots_) {
            if (slot == kNone) continue;
            const uint32_t number = slot & numberMask_;
            held[number / 64] |= uint64_t{1} << (number % 64);
        }
        std::vector<uint32_t>().swap(slots_);
        std::vector<uint32_t> numbers;
        reserveHugePages(numbers, std::max(room, count_));
        count_ = 0;
        for (std::size_t word = 0; word < held.size(); ++word) {
            for (uint64_t bits = held[word]; bits != 0; bits &= bits - 1) {
                numbers.push_back(static_cast<uint32_t>(
                    word * 64 + static_cast<unsigned>(std::countr_zero(bits))));
            }
        }
        return numbers;
    }

  private:
    std::size_t firstSlot(uint64_t hash) const {
        const uint64_t mixed = hash * 0x9E3779B97F4A7C15u;
        return static_cast<std::size_t>(((mixed >> 32) * slots_.size()) >> 32);
    }
    uint32_t tagOf(uint64_t hash) const {
        return static_cast<uint32_t>(hash * 0x9E3779B97F4A7C15u) & ~numberMask_;
    }
    std::size_t nextSlot(std::size_t slot) const {
        return slot + 1 == slots_.size() ? 0 : slot + 1;
    }

    void resize(std::size_t slots) {
        std::vector<uint32_t>().swap(slots_);
        reserveHugePages(slots_, slots, PageUse::kProbed);
        slots_.assign(slots, kNone);
    }

    template <class HashOf>
    void grow(HashOf hashOf) {
        std::vector<uint32_t> held;
        held.reserve(count_);
        for (const uint32_t slot : slots_) {
            if (slot != kNone) held.push_back(slot & numberMask_);
        }
        resize(slots_.size() + slots_.size() / 2);
        for (const uint32_t number : held) {
            const uint64_t hash = hashOf(number);
            std::size_t slot = firstSlot(hash);
            while (slots_[slot] != kNone) slot = nextSlot(slot);
            slots_[slot] = number | tagOf(hash);
        }
    }

    std::vector<uint32_t> slots_;
    std::size_t count_ = 0;
    uint32_t numberMask_ = UINT32_MAX;
};
