#include "phrase/phrase_index.h"

#include <algorithm>

namespace {

constexpr std::size_t kFirstCells = 8;
constexpr uint16_t kStartBits = 0x0FFF;
constexpr int kTagShift = 12;

uint32_t phraseHash(std::span<const uint16_t> words) {
    uint32_t hash = 2166136261u;
    for (uint16_t word : words) hash = (hash ^ word) * 16777619u;
    hash ^= hash >> 15;
    hash *= 0x2C1B3C6Du;
    hash ^= hash >> 12;
    return hash;
}

uint16_t tagOf(uint32_t hash) {
    return static_cast<uint16_t>((hash >> 28) << kTagShift);
}

// The words of the phrase that starts at `start`, as many as it has.
std::span<const uint16_t> phraseAt(const std::vector<uint16_t>& held, std::size_t start) {
    std::size_t end = start;
    while (end < held.size() && (held[end] & kLastWordBit) == 0) ++end;
    return {held.data() + start, std::min(end + 1, held.size()) - start};
}

// The cell of the phrase in the region of `size` cells at `cells`, or the
// empty cell where it would go.
std::size_t findCell(const uint16_t* cells, std::size_t size, const std::vector<uint16_t>& held,
                     uint32_t hash, std::span<const uint16_t> words) {
    const std::size_t mask = size - 1;
    const uint16_t tag = tagOf(hash);
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const uint16_t cell = cells[at];
        if (cell == 0) return at;
        if ((cell & ~kStartBits) != tag) continue;
        const std::size_t start = (cell & kStartBits) - 1u;
        if (start + words.size() <= held.size() &&
            std::equal(words.begin(), words.end(),
                       held.begin() + static_cast<std::ptrdiff_t>(start))) {
            return at;
        }
    }
}

std::size_t cellsFor(std::size_t phrases) {
    std::size_t size = kFirstCells;
    while (size < 2 * (phrases + 1)) size *= 2;
    return size;
}

}  // namespace

void PhraseIndex::moveRegion(Region& region, std::size_t size, const std::vector<uint16_t>& held) {
    const std::size_t base = cells_.size();
    cells_.resize(base + size, 0);
    for (std::size_t at = region.base; at < region.base + region.size; ++at) {
        const uint16_t cell = cells_[at];
        if (cell == 0) continue;
        const uint32_t hash = phraseHash(phraseAt(held, (cell & kStartBits) - 1u));
        std::size_t to = hash & (size - 1);
        while (cells_[base + to] != 0) to = (to + 1) & (size - 1);
        cells_[base + to] = cell;
    }
    region.base = static_cast<uint32_t>(base);
    region.size = static_cast<uint32_t>(size);
}

void PhraseIndex::reserve(int slot, std::size_t phrases, std::size_t slotCount) {
    if (regions_.size() < slotCount) regions_.resize(slotCount);
    Region& region = regions_[static_cast<std::size_t>(slot)];
    if (region.size == 0) {
        region.base = static_cast<uint32_t>(cells_.size());
        region.size = static_cast<uint32_t>(cellsFor(phrases));
        cells_.resize(region.base + region.size, 0);
    }
}

bool PhraseIndex::contains(const std::vector<PhraseSlot>& slots, int slot,
                           std::span<const uint16_t> words) const {
    const auto at = static_cast<std::size_t>(slot);
    if (at >= regions_.size() || regions_[at].size == 0) return false;
    const Region& region = regions_[at];
    const uint16_t* cells = cells_.data() + region.base;
    return cells[findCell(cells, region.size, slots[at].words, phraseHash(words), words)] != 0;
}

void PhraseIndex::add(const std::vector<PhraseSlot>& slots, int slot, std::size_t start,
                      std::size_t length) {
    const auto at = static_cast<std::size_t>(slot);
    if (regions_.size() < slots.size()) regions_.resize(slots.size());
    Region& region = regions_[at];
    const std::vector<uint16_t>& held = slots[at].words;
    if (2 * (region.count + 1) > region.size) moveRegion(region, cellsFor(region.count + 1), held);
    const std::span<const uint16_t> words(held.data() + start, length);
    const uint32_t hash = phraseHash(words);
    uint16_t* cells = cells_.data() + region.base;
    cells[findCell(cells, region.size, held, hash, words)] =
        static_cast<uint16_t>(tagOf(hash) | (start + 1));
    ++region.count;
}

void PhraseIndex::clear() {
    std::vector<Region>().swap(regions_);
    std::vector<uint16_t>().swap(cells_);
}
