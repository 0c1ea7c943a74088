// The (code, character) pairs a code table has accepted, for the test of a
// character filed twice under one code. An open-addressing hash set of
// 8-byte keys (the code's number, then the character) that grows by
// doubling once three quarters full.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/double_byte_character.h"

class CodedPairSet {
  public:
    // Adds the pair of code number `code`; false when it was there already.
    bool insert(uint32_t code, DoubleByteCharacter character);
    void clear();
    // The number of pairs to make room for when the first is added, so that
    // the set need not grow for them.
    void expect(std::size_t pairs) { expected_ = pairs; }

  private:
    void rehash(std::size_t slots);
    std::size_t slotOf(uint64_t key) const;

    std::vector<uint64_t> slots_;  // 0 marks an empty slot
    std::size_t count_ = 0;
    std::size_t expected_ = 0;
};
