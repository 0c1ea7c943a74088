// Finite State Entropy decoding tables of zstd: read from a distribution
// of normalised counts, as a frame describes them or as the format
// predefines them for its sequence codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "foundation/compression/backward_bits.h"

struct FseEntry {
    uint8_t symbol = 0;
    uint8_t bits = 0;
    uint16_t base = 0;
};

struct FseTable {
    std::vector<FseEntry> entries;  // 1 << accuracy of them
    unsigned accuracy = 0;
    uint32_t state = 0;

    bool empty() const { return entries.empty(); }
    void start(BackwardBits& bits) { state = static_cast<uint32_t>(bits.read(accuracy)); }
    uint8_t symbol() const { return entries[state].symbol; }
    void update(BackwardBits& bits) {
        const FseEntry& entry = entries[state];
        state = entry.base + static_cast<uint32_t>(bits.read(entry.bits));
    }
};

// Builds `table` from the counts of each symbol (-1 for "less than one"),
// which add up to 1 << accuracy; false when they do not.
bool buildFseTable(const std::vector<int16_t>& counts, unsigned accuracy, FseTable& table);

// Reads a distribution of at most `maxSymbol` + 1 symbols and `maxAccuracy`
// from the start of `bytes` into `table`; returns the bytes it took, 0 when
// it is damaged.
std::size_t readFseTable(std::string_view bytes, unsigned maxSymbol, unsigned maxAccuracy,
                         FseTable& table);

// A table of one symbol that reads no bits.
void rleFseTable(uint8_t symbol, FseTable& table);
