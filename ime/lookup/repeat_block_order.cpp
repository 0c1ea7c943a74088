#include "ime/lookup/repeat_block_order.h"

#include <utility>

void toRepeatBlockOrder(const InputMethod& im, std::span<int> entries) {
    if (im.codingStyle != 1 || entries.size() < 2) return;
    std::size_t primary = 0;
    std::size_t longest = 0;
    for (std::size_t slot = 0; slot < entries.size(); ++slot) {
        const std::size_t length = im.codes[im.entries[entries[slot]].code].size();
        if (length > longest) {
            longest = length;
            primary = slot;
        }
    }
    std::swap(entries[0], entries[primary]);
}
