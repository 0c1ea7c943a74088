#include "phrase/phrase_index.h"

#include <algorithm>

namespace {

constexpr std::size_t kFirstCells = 4096;

uint32_t phraseHash(int slot, std::span<const uint16_t> words) {
    uint64_t hash = static_cast<uint64_t>(slot);
    for (uint16_t word : words) hash = (hash << 16 | hash >> 48) ^ word;
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    hash *= 0xC4CEB9FE1A85EC53ull;
    hash ^= hash >> 33;
    return static_cast<uint32_t>(hash);
}

// A cell: bit 63 set, then the phrase's hash (30 bits), slot (16 bits),
// start (12 bits) and length (5 bits); 0 when empty.
constexpr uint64_t kUsedCell = uint64_t{1} << 63;
constexpr uint32_t kHashBits = 0x3FFFFFFF;

uint64_t cellOf(uint32_t hash, int slot, std::size_t start, std::size_t length) {
    return kUsedCell | static_cast<uint64_t>(hash & kHashBits) << 33 |
           static_cast<uint64_t>(slot) << 17 | static_cast<uint64_t>(start) << 5 |
           static_cast<uint64_t>(length);
}

uint32_t hashOf(uint64_t cell) {
    return static_cast<uint32_t>(cell >> 33) & kHashBits;
}

}  // namespace

std::size_t PhraseIndex::findCell(const std::vector<PhraseSlot>& slots, uint32_t hash, int slot,
                                  std::span<const uint16_t> words) const {
    const std::size_t mask = cells_.size() - 1;
    hash &= kHashBits;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const uint64_t cell = cells_[at];
        if (cell == 0) return at;
        if (hashOf(cell) != hash || static_cast<int>(cell >> 17 & 0xFFFF) != slot) continue;
        const std::size_t start = cell >> 5 & 0xFFF;
        const std::size_t length = cell & 0x1F;
        const std::vector<uint16_t>& held = slots[static_cast<std::size_t>(slot)].words;
        if (length == words.size() &&
            std::equal(words.begin(), words.end(),
                       held.begin() + static_cast<std::ptrdiff_t>(start))) {
            return at;
        }
    }
}

bool PhraseIndex::contains(const std::vector<PhraseSlot>& slots, int slot,
                           std::span<const uint16_t> words) const {
    if (cells_.empty()) return false;
    const uint32_t hash = phraseHash(slot, words) & kHashBits;
    const std::size_t cell = findCell(slots, hash, slot, words);
    if (cells_[cell] != 0) return true;
    freeCell_ = cell;
    freeHash_ = hash;
    freeKnown_ = true;
    return false;
}

void PhraseIndex::grow() {
    std::vector<uint64_t> old(cells_.empty() ? kFirstCells : 2 * cells_.size(), 0);
    old.swap(cells_);
    const std::size_t mask = cells_.size() - 1;
    for (uint64_t cell : old) {
        if (cell == 0) continue;
        std::size_t at = hashOf(cell) & mask;
        while (cells_[at] != 0) at = (at + 1) & mask;
        cells_[at] = cell;
    }
}

void PhraseIndex::add(const std::vector<PhraseSlot>& slots, int slot, std::size_t start,
                      std::size_t length) {
    if (2 * (count_ + 1) > cells_.size()) {
        grow();
        freeKnown_ = false;
    }
    const std::vector<uint16_t>& held = slots[static_cast<std::size_t>(slot)].words;
    const std::span<const uint16_t> words(held.data() + start, length);
    const uint32_t hash = phraseHash(slot, words) & kHashBits;
    // A phrase that is not in the index yet, of the hash the last search
    // missed with, ends its search in the same empty cell.
    const bool known = freeKnown_ && freeHash_ == hash;
    const std::size_t cell = known ? freeCell_ : findCell(slots, hash, slot, words);
    cells_[cell] = cellOf(hash, slot, start, length);
    freeKnown_ = false;
    ++count_;
}

void PhraseIndex::clear() {
    std::vector<uint64_t>().swap(cells_);
    count_ = 0;
    freeKnown_ = false;
}
