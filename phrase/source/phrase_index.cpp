#include "phrase/source/phrase_index.h"

#include <algorithm>

namespace {

constexpr std::size_t kBitsPerPhrase = 8;
constexpr int kBitsSet = 3;
constexpr int kBitIndexBits = 21;  // the filter of a slot is at most 2^21 bits

uint64_t phraseHash(std::span<const uint16_t> words) {
    uint64_t hash = 0x9E3779B97F4A7C15ull;
    for (uint16_t word : words) hash = (hash ^ word) * 0x100000001B3ull;
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    return hash;
}

// Bit `k` of a phrase in a filter of `bits` bits.
std::size_t bitOf(uint64_t hash, int k, std::size_t bits) {
    return (hash >> (k * kBitIndexBits)) & (bits - 1);
}

bool hasBits(const uint64_t* filter, std::size_t bits, uint64_t hash) {
    for (int k = 0; k < kBitsSet; ++k) {
        const std::size_t bit = bitOf(hash, k, bits);
        if ((filter[bit / 64] >> (bit % 64) & 1u) == 0) return false;
    }
    return true;
}

void setBits(uint64_t* filter, std::size_t bits, uint64_t hash) {
    for (int k = 0; k < kBitsSet; ++k) {
        const std::size_t bit = bitOf(hash, k, bits);
        filter[bit / 64] |= uint64_t{1} << (bit % 64);
    }
}

std::size_t wordsFor(std::size_t phrases) {
    std::size_t words = 1;
    while (64 * words < kBitsPerPhrase * phrases) words *= 2;
    return words;
}

// Calls `visit` with the characters after the first of each phrase the
// slot holds, until it answers true.
template <typename Visit>
bool anyPhrase(const std::vector<uint16_t>& held, Visit visit) {
    for (std::size_t at = 0; at < held.size(); at += 1u + held[at]) {
        if (visit(std::span<const uint16_t>(held.data() + at + 1, held[at]))) return true;
    }
    return false;
}

}  // namespace

void PhraseIndex::makeRegion(Region& region, std::size_t phrases,
                             const std::vector<uint16_t>& held) {
    const std::size_t words = wordsFor(phrases);
    region.base = static_cast<uint32_t>(bits_.size());
    region.words = static_cast<uint32_t>(words);
    bits_.resize(bits_.size() + words, 0);
    uint64_t* filter = bits_.data() + region.base;
    anyPhrase(held, [&](std::span<const uint16_t> phrase) {
        setBits(filter, 64 * words, phraseHash(phrase));
        return false;
    });
}

void PhraseIndex::reserve(int slot, std::size_t phrases, std::size_t slotCount) {
    if (regions_.size() < slotCount) regions_.resize(slotCount);
    Region& region = regions_[static_cast<std::size_t>(slot)];
    if (region.words == 0) makeRegion(region, phrases, {});
}

void PhraseIndex::reserveAll(std::span<const uint32_t> phrases) {
    std::size_t words = 0;
    for (const uint32_t count : phrases) {
        if (count != 0) words += wordsFor(count);
    }
    regions_.reserve(phrases.size());
    bits_.reserve(bits_.size() + words);
}

bool PhraseIndex::contains(const std::vector<PhraseSlot>& slots, int slot,
                           std::span<const uint16_t> words) const {
    const auto at = static_cast<std::size_t>(slot);
    if (at >= regions_.size() || regions_[at].count == 0) return false;
    const Region& region = regions_[at];
    if (!hasBits(bits_.data() + region.base, 64u * region.words, phraseHash(words))) return false;
    return anyPhrase(slots[at].held, [&](std::span<const uint16_t> phrase) {
        return std::equal(phrase.begin(), phrase.end(), words.begin(), words.end());
    });
}

void PhraseIndex::add(const std::vector<PhraseSlot>& slots, int slot, std::size_t start,
                      std::size_t length) {
    const auto at = static_cast<std::size_t>(slot);
    if (regions_.size() < slots.size()) regions_.resize(slots.size());
    Region& region = regions_[at];
    const std::vector<uint16_t>& held = slots[at].held;
    ++region.count;
    if (kBitsPerPhrase * region.count > 64u * region.words) {
        makeRegion(region, 2 * region.count, held);  // the new phrase included
        return;
    }
    setBits(bits_.data() + region.base, 64u * region.words,
            phraseHash(std::span<const uint16_t>(held.data() + start, length)));
}

void PhraseIndex::clear() {
    std::vector<Region>().swap(regions_);
    std::vector<uint64_t>().swap(bits_);
}

void PhraseIndex::prefetchRecord(int slot) const {
    const auto at = static_cast<std::size_t>(slot);
    if (at < regions_.size()) __builtin_prefetch(&regions_[at]);
}

void PhraseIndex::prefetchFilter(int slot) const {
    const auto at = static_cast<std::size_t>(slot);
    if (at < regions_.size() && regions_[at].words != 0)
        __builtin_prefetch(&bits_[regions_[at].base]);
}
