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

// The cell of the phrase, or the empty cell where it would go.
std::size_t findCell(const std::vector<uint16_t>& cells, const std::vector<uint16_t>& held,
                     uint32_t hash, std::span<const uint16_t> words) {
    const std::size_t mask = cells.size() - 1;
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

}  // namespace

bool PhraseIndex::contains(const std::vector<PhraseSlot>& slots, int slot,
                           std::span<const uint16_t> words) const {
    const auto at = static_cast<std::size_t>(slot);
    if (at >= tables_.size() || tables_[at].cells.empty()) return false;
    const std::vector<uint16_t>& cells = tables_[at].cells;
    return cells[findCell(cells, slots[at].words, phraseHash(words), words)] != 0;
}

void PhraseIndex::grow(SlotTable& table, const std::vector<uint16_t>& held) {
    std::vector<uint16_t> old(table.cells.empty() ? kFirstCells : 2 * table.cells.size(), 0);
    old.swap(table.cells);
    const std::size_t mask = table.cells.size() - 1;
    for (uint16_t cell : old) {
        if (cell == 0) continue;
        const uint32_t hash = phraseHash(phraseAt(held, (cell & kStartBits) - 1u));
        std::size_t at = hash & mask;
        while (table.cells[at] != 0) at = (at + 1) & mask;
        table.cells[at] = cell;
    }
}

void PhraseIndex::add(const std::vector<PhraseSlot>& slots, int slot, std::size_t start,
                      std::size_t length) {
    const auto at = static_cast<std::size_t>(slot);
    if (tables_.size() < slots.size()) tables_.resize(slots.size());
    SlotTable& table = tables_[at];
    const std::vector<uint16_t>& held = slots[at].words;
    if (2 * (table.count + 1) > table.cells.size()) grow(table, held);
    const std::span<const uint16_t> words(held.data() + start, length);
    const uint32_t hash = phraseHash(words);
    table.cells[findCell(table.cells, held, hash, words)] =
        static_cast<uint16_t>(tagOf(hash) | (start + 1));
    ++table.count;
}

void PhraseIndex::clear() {
    std::vector<SlotTable>().swap(tables_);
}
