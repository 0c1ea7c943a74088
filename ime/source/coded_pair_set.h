// The (code, character) pairs a code table has accepted, for the test of a
// character filed twice under one code. An open-addressing hash set of
// 16-byte keys (the code's at most 12 characters, zero-padded, then the
// character's two bytes) that grows by doubling once three quarters full.
#pragma once

#include <cstdint>
#include <vector>

class CodedPairSet {
  public:
    // Adds the pair; false when it was there already.
    bool insert(const char* code, const uint8_t* hz);
    void clear();
    // The number of pairs to make room for when the first is added, so that
    // the set need not grow for them.
    void expect(std::size_t pairs) { expected_ = pairs; }

  private:
    struct Key {
        uint64_t high = 0;
        uint64_t low = 0;  // 0 in both marks an empty slot
        bool operator==(const Key&) const = default;
    };
    void rehash(std::size_t slots);
    std::size_t slotOf(const Key& key) const;

    std::vector<Key> slots_;
    std::size_t count_ = 0;
    std::size_t expected_ = 0;
};
