// The "DATA" resources of a phrase database: one body for each block of 256
// first characters, holding the phrase list of each (the layout is in
// data_block.cpp), and the phrase list of one first character in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr char kDataType[] = "DATA";
inline constexpr int kSlotsPerBlock = 256;
inline constexpr int kFirstDoubleByteIndex = 256;
// Offsets inside a "DATA" body are 16-bit, so no body may pass this size.
inline constexpr int kMaxBlockBytes = 65535;
// A phrase word: the character index in bits 0 to 14; bit 15 ends a phrase.
inline constexpr uint16_t kLastWordBit = 0x8000;
inline constexpr uint16_t kIndexBits = 0x7FFF;

// The phrases of one first character, back to back: one word for each
// character after the first, bit 15 set on the last word of each phrase.
struct PhraseSlot {
    std::vector<uint16_t> words;
};

// The size of a body whose first position with phrases is F = `first` and
// whose lists hold `words` words in all.
std::size_t dataBodyBytes(int first, std::size_t words);

// Appends the body of a block whose positions 0, 1, ... hold `lists` (at
// most 256; the positions after them are empty). False, appending nothing,
// when the body would pass 65535 bytes.
bool encodeDataBlock(std::span<const PhraseSlot> lists, std::vector<uint8_t>& body);

// A body read back. A database says where a body starts, not where it ends,
// so a body is seen with the bytes from its start to the end of the file.
struct DataBlockView {
    const uint8_t* bytes;
    std::size_t available;
    int first;  // F: the first position with an offset table entry
};

// Reads F; false when it is above 256 or the offset table does not lie
// within the `available` bytes. The lists are not looked at.
bool decodeDataBlockHead(const uint8_t* bytes, std::size_t available, DataBlockView& view);

// Reads the list of `position` (F to 255) into `list`; false when the list
// ends below its begin or past the available bytes. An odd last byte of a
// list is no word.
bool decodeDataBlockList(const DataBlockView& view, int position, PhraseSlot& list);
