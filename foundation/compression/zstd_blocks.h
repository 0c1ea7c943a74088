// The two sections of a compressed zstd block, and what the blocks of one
// frame hand on to the next: the literals' Huffman table, the sequence
// tables and the three repeat offsets.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/compression/fse_table.h"
#include "foundation/compression/huffman_table.h"

struct ZstdFrameState {
    HuffmanTable literals;
    FseTable literalLengths;
    FseTable offsets;
    FseTable matchLengths;
    std::array<uint32_t, 3> repeats{1, 4, 8};
    std::size_t frameStart = 0;  // where the frame's bytes begin in the output
};

// Reads the literals section at the start of `block` into `literals`;
// returns the bytes it took, 0 when it is damaged.
std::size_t readLiterals(std::string_view block, ZstdFrameState& state, std::string& literals);

// Reads the sequences section `section` and carries it out, with
// `literals`, onto `out`; false when it is damaged or would make `out`
// larger than `limit`.
bool runSequences(std::string_view section, const std::string& literals, std::size_t limit,
                  ZstdFrameState& state, std::string& out);
