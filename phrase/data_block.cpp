// The "DATA" body of block b, which holds the phrase lists of the first
// characters with index 256 + 256 b to 256 + 256 b + 255 (position p is the
// character 256 + 256 b + p); F is the first position whose list is not
// empty, 256 when none is. Every number is big-endian:
//
//   offset        size          content
//   0             2             F
//   2             2 (257 - F)   offset table: entry k is the offset, from the
//                               body's start, of the list of position F + k;
//                               the last entry (k = 256 - F) is the body size
//   2 (258 - F)   the rest      the lists of positions F to 255, back to back
//
// A list is a run of 16-bit words (see PhraseSlot); an empty list starts
// and ends at the same offset. A block without phrases is 01 00 00 04.
#include "phrase/data_block.h"

#include "foundation/big_endian.h"

namespace {

std::size_t tableEnd(int first) {
    return 2 + 2 * std::size_t(kSlotsPerBlock + 1 - first);
}

}  // namespace

std::size_t dataBodyBytes(int first, std::size_t words) {
    return tableEnd(first) + 2 * words;
}

bool encodeDataBlock(std::span<const PhraseSlot> lists, std::vector<uint8_t>& body) {
    const auto wordsAt = [&](int position) {
        return position < static_cast<int>(lists.size()) ? lists[position].words.size()
                                                         : std::size_t{0};
    };
    int first = kSlotsPerBlock;
    std::size_t wordCount = 0;
    for (int p = 0; p < kSlotsPerBlock; ++p) {
        if (wordsAt(p) != 0 && first == kSlotsPerBlock) first = p;
        wordCount += wordsAt(p);
    }
    if (dataBodyBytes(first, wordCount) > kMaxBlockBytes) return false;

    BigEndianWriter field(body);
    field.u16(static_cast<uint16_t>(first));
    std::size_t offset = tableEnd(first);
    for (int p = first; p < kSlotsPerBlock; ++p) {
        field.u16(static_cast<uint16_t>(offset));
        offset += 2 * wordsAt(p);
    }
    field.u16(static_cast<uint16_t>(offset));
    for (int p = first; p < static_cast<int>(lists.size()); ++p) {
        for (uint16_t word : lists[p].words) field.u16(word);
    }
    return true;
}

bool decodeDataBlockHead(const uint8_t* bytes, std::size_t available, DataBlockView& view) {
    if (available < 2) return false;
    view = {bytes, available, BigEndianReader(bytes).u16()};
    return view.first <= kSlotsPerBlock && tableEnd(view.first) <= available;
}

bool decodeDataBlockList(const DataBlockView& view, int position, PhraseSlot& list) {
    BigEndianReader entry(view.bytes + 2 + 2 * (position - view.first));
    const std::size_t begin = entry.u16();
    const std::size_t end = entry.u16();
    if (end < begin || end > view.available) return false;
    list.words.clear();
    BigEndianReader word(view.bytes + begin);
    for (std::size_t at = begin; at + 2 <= end; at += 2) list.words.push_back(word.u16());
    return true;
}
