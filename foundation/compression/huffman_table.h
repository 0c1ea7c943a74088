// The Huffman codes of zstd's literals: the tree as a frame describes it
// (weights, FSE-compressed or four bits each) and the streams it decodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct HuffmanEntry {
    uint8_t symbol = 0;
    uint8_t bits = 0;
};

struct HuffmanTable {
    std::vector<HuffmanEntry> entries;  // indexed by the next `longest` bits
    unsigned longest = 0;

    bool empty() const { return entries.empty(); }
};

// Reads the tree description at the start of `bytes`; returns the bytes it
// took, 0 when it is damaged.
std::size_t readHuffmanTable(std::string_view bytes, HuffmanTable& table);

// Decodes `count` literals from the one stream `stream` onto `out`; false
// when the stream does not end with the last of them.
bool decodeHuffmanStream(const HuffmanTable& table, std::string_view stream, std::size_t count,
                         std::string& out);
