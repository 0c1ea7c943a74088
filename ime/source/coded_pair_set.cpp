#include "ime/source/coded_pair_set.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kFirstSlots = 1024;
constexpr std::size_t kCodeBytes = 12;

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

std::size_t CodedPairSet::slotOf(const Key& key) const {
    const uint64_t hash = mixed(key.high ^ mixed(key.low));
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = static_cast<std::size_t>(hash) & mask;
    while (!(slots_[slot] == Key{}) && !(slots_[slot] == key)) slot = (slot + 1) & mask;
    return slot;
}

void CodedPairSet::rehash(std::size_t slots) {
    std::vector<Key> old(slots);
    old.swap(slots_);
    for (const Key& key : old) {
        if (!(key == Key{})) slots_[slotOf(key)] = key;
    }
}

bool CodedPairSet::insert(const char* code, const uint8_t* hz) {
    uint8_t bytes[16] = {};
    std::memcpy(bytes, code, std::min(std::strlen(code), kCodeBytes));
    bytes[14] = hz[0];
    bytes[15] = hz[1];
    Key key;
    std::memcpy(&key.high, bytes, 8);
    std::memcpy(&key.low, bytes + 8, 8);
    if (slots_.empty()) {
        std::size_t slots = kFirstSlots;
        while (!fits(expected_, slots)) slots *= 2;
        rehash(slots);
    } else if (!fits(count_ + 1, slots_.size())) {
        rehash(2 * slots_.size());
    }
    Key& slot = slots_[slotOf(key)];
    if (slot == key) return false;
    slot = key;
    ++count_;
    return true;
}

void CodedPairSet::clear() {
    std::vector<Key>().swap(slots_);
    count_ = 0;
}
