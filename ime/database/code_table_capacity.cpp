#include "ime/database/code_table_capacity.h"

CodeTableCapacity::CodeTableCapacity(int codingStyle, CharSet charSet, std::size_t codes)
    : codingStyle_(codingStyle),
      repeatLimit_(repeatSlotLimit(hzMapSlots(charSet))),
      entriesOf_(static_cast<std::size_t>(hzMapSlots(charSet)), 0),
      codeTaken_(codingStyle == 2 ? codes : 0, false) {}

CodeTableCapacity::Room CodeTableCapacity::roomFor(uint32_t code, int index) const {
    if (entries_ + (isNewEntry(code) ? 1 : 0) > kMaxCodeEntries ||
        pairs_ + 1 > kMaxCodedCharacters) {
        return Room::kTableFull;
    }
    const int had = entriesOf_[static_cast<std::size_t>(index)];
    if (repeatSlots_ + repeatSlotsOf(had + 1) - repeatSlotsOf(had) > repeatLimit_) {
        return Room::kRepeatBlocksFull;
    }
    return Room::kFits;
}

void CodeTableCapacity::take(uint32_t code, int index) {
    if (isNewEntry(code)) {
        ++entries_;
        if (codingStyle_ == 2) codeTaken_[code] = true;
    }
    ++pairs_;
    int& had = entriesOf_[static_cast<std::size_t>(index)];
    repeatSlots_ += repeatSlotsOf(had + 1) - repeatSlotsOf(had);
    ++had;
}
