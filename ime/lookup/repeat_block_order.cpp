#include "ime/lookup/repeat_block_order.h"

#include <utility>

#include "ime/database/code_table_capacity.h"

void toRepeatBlockOrder(const InputMethod& im, std::span<int> entries) {
    if (im.codingStyle != 1 || entries.size() < 2) return;
    const std::size_t primary = primaryEntryOf(entries.size(), [&](std::size_t slot) {
        return im.codes[im.entries[entries[slot]].code].size();
    });
    std::swap(entries[0], entries[primary]);
}
