// The arithmetic of an input-method database's code table, in one place:
// its limits, how its entries are counted, the repeat-block slots a
// character takes, the bucket of a code, the primary entry of a character
// and the size of a rule record. CodeTableCapacity counts what pairs take
// of the table as they come, for every pass that asks whether they fit.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/char_sets.h"

// Entry numbers stay below the reference bit 0x8000; HZTab positions, and
// the end position after the last, are 16-bit.
inline constexpr int kMaxCodeEntries = 0x7FFF;
inline constexpr int kMaxCodedCharacters = 0xFFFE;
inline constexpr int kMaxRepeatSlots = 32766;

// H: the HZMap slots, one per character index of the CharSet, plus one.
inline int hzMapSlots(CharSet charSet) {
    return indexCount(charSet) + 1;
}

// The repeat-block slots a database can hold: min(2H - 2, 32,766), as a
// block reference 0x8000 + R must stay within 16 bits.
constexpr int repeatSlotLimit(int mapSlots) {
    return std::min(2 * mapSlots - 2, kMaxRepeatSlots);
}

// Style 1 makes one entry per (code, character) pair, style 2 one per
// distinct code.
constexpr int entryCountOf(int codingStyle, int pairs, int distinctCodes) {
    return codingStyle == 2 ? distinctCodes : pairs;
}

// A character of one entry takes no repeat slot: its HZMap slot names the
// entry. One of several entries takes a slot for each.
constexpr int repeatSlotsOf(int entries) {
    return entries >= 2 ? entries : 0;
}

// Buckets file codes by their first one or two keys (s1, s2, counted from
// 1 in UsedCodes): bucket = (s1 - 1) x (n + 1) + s2, s2 = 0 for a code of
// one key and for every code when a style-1 index goes one key deep.
constexpr int bucketCount(int usedCodeCount) {
    return usedCodeCount * (usedCodeCount + 1) + 1;
}
constexpr int bucketKeys(int codingStyle, int indexDepth) {
    return codingStyle == 1 && indexDepth == 1 ? 1 : 2;
}
constexpr int bucketOf(int usedCodeCount, int s1, int s2) {
    return (s1 - 1) * (usedCodeCount + 1) + s2;
}

// In coding style 1 the primary entry of a character, the one its block
// starts with: of its entries in numbering order, the earliest of those
// with the longest code. Returns its position among the `count` entries,
// `codeLength(k)` giving the length of the code of the k-th.
template <class CodeLength>
std::size_t primaryEntryOf(std::size_t count, CodeLength codeLength) {
    std::size_t primary = 0;
    std::size_t longest = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t length = codeLength(k);
        if (length > longest) {
            longest = length;
            primary = k;
        }
    }
    return primary;
}

// A rule record: kind, character count and item count, then six bytes an
// item.
constexpr int ruleRecordSize(int items) {
    return 6 + 6 * items;
}

// What pairs take of a code table, counted as they are taken.
class CodeTableCapacity {
  public:
    enum class Room { kFits, kTableFull, kRepeatBlocksFull };

    CodeTableCapacity(int codingStyle, CharSet charSet, std::size_t codes);

    // Whether the pair of code number `code` and the character of index
    // `index` (below hzMapSlots) fits beside the pairs taken.
    Room roomFor(uint32_t code, int index) const;
    void take(uint32_t code, int index);

    int entries() const { return entries_; }
    int pairs() const { return pairs_; }
    int repeatSlots() const { return repeatSlots_; }
    int repeatLimit() const { return repeatLimit_; }
    int mapSlots() const { return static_cast<int>(entriesOf_.size()); }

  private:
    bool isNewEntry(uint32_t code) const { return codingStyle_ != 2 || !codeTaken_[code]; }

    int codingStyle_;
    int repeatLimit_;
    std::vector<int> entriesOf_;   // by character index
    std::vector<bool> codeTaken_;  // style 2: by code number
    int entries_ = 0;
    int pairs_ = 0;
    int repeatSlots_ = 0;
};
