#include "ime/source/coded_pair_set.h"

namespace {

constexpr std::size_t kFirstSlots = 1024;

// Every bit of the number reaches every bit of the result.
uint64_t mixed(uint64_t value) {
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCDull;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53ull;
    value ^= value >> 33;
    return value;
}

// Whether `count` pairs may lie in `slots` slots.
bool fits(std::size_t count, std::size_t slots) {
    return 4 * count <= 3 * slots;
}

}  // namespace

std::size_t CodedPairSet::slotOf(uint64_t key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = static_cast<std::size_t>(mixed(key)) & mask;
    while (slots_[slot] != 0 && slots_[slot] != key) slot = (slot + 1) & mask;
    return slot;
}

void CodedPairSet::rehash(std::size_t slots) {
    std::vector<uint64_t> old(slots);
    old.swap(slots_);
    for (const uint64_t key : old) {
        if (key != 0) slots_[slotOf(key)] = key;
    }
}

bool CodedPairSet::insert(uint32_t code, DoubleByteCharacter character) {
    // Code numbers count from 0; the key of every pair is above 0.
    const uint64_t key = (uint64_t{code} + 1) << 16 | character.packed;
    if (slots_.empty()) {
        std::size_t slots = kFirstSlots;
        while (!fits(expected_, slots)) slots *= 2;
        rehash(slots);
    } else if (!fits(count_ + 1, slots_.size())) {
        rehash(2 * slots_.size());
    }
    uint64_t& slot = slots_[slotOf(key)];
    if (slot == key) return false;
    slot = key;
    ++count_;
    return true;
}

void CodedPairSet::clear() {
    std::vector<uint64_t>().swap(slots_);
    count_ = 0;
}
