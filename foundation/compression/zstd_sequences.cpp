// A sequences section: the number of sequences (one byte below 128, two
// from 128 below 255, three from 255), one byte of modes (two bits each for
// the literal lengths, offsets and match lengths: predefined, RLE,
// FSE-described or repeated), the tables the modes describe, in that
// order, then the backward bit stream of the sequences to the block's end.
#include <algorithm>

#include "foundation/compression/zstd_blocks.h"

namespace {

enum Mode { kPredefinedMode = 0, kRleMode = 1, kDescribedMode = 2, kRepeatedMode = 3 };

struct Code {
    uint32_t base;
    uint8_t bits;
};

// Literal lengths 0-15 are their own codes; match lengths 3-34 are codes 0-31.
constexpr Code kLiteralLengths[] = {
    {0, 0},     {1, 0},      {2, 0},      {3, 0},     {4, 0},   {5, 0},     {6, 0},     {7, 0},
    {8, 0},     {9, 0},      {10, 0},     {11, 0},    {12, 0},  {13, 0},    {14, 0},    {15, 0},
    {16, 1},    {18, 1},     {20, 1},     {22, 1},    {24, 2},  {28, 2},    {32, 3},    {40, 3},
    {48, 4},    {64, 6},     {128, 7},    {256, 8},   {512, 9}, {1024, 10}, {2048, 11}, {4096, 12},
    {8192, 13}, {16384, 14}, {32768, 15}, {65536, 16}};
constexpr Code kMatchLengths[] = {
    {3, 0},     {4, 0},     {5, 0},      {6, 0},      {7, 0},     {8, 0},   {9, 0},     {10, 0},
    {11, 0},    {12, 0},    {13, 0},     {14, 0},     {15, 0},    {16, 0},  {17, 0},    {18, 0},
    {19, 0},    {20, 0},    {21, 0},     {22, 0},     {23, 0},    {24, 0},  {25, 0},    {26, 0},
    {27, 0},    {28, 0},    {29, 0},     {30, 0},     {31, 0},    {32, 0},  {33, 0},    {34, 0},
    {35, 1},    {37, 1},    {39, 1},     {41, 1},     {43, 2},    {47, 2},  {51, 3},    {59, 3},
    {67, 4},    {83, 4},    {99, 5},     {131, 7},    {259, 8},   {515, 9}, {1027, 10}, {2051, 11},
    {4099, 12}, {8195, 13}, {16387, 14}, {32771, 15}, {65539, 16}};
constexpr unsigned kMostOffsetCode = 31;

// The predefined distributions, and the largest accuracy a frame may give.
struct Distribution {
    std::vector<int16_t> counts;
    unsigned accuracy;
    unsigned maxAccuracy;
    unsigned maxSymbol;  // of a described table
};

const Distribution& literalLengthDistribution() {
    static const Distribution kDistribution{
        {4, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1,  1,  2,  2,
         2, 2, 2, 2, 2, 2, 2, 3, 2, 1, 1, 1, 1, 1, -1, -1, -1, -1},
        6,
        9,
        35};
    return kDistribution;
}
const Distribution& matchLengthDistribution() {
    static const Distribution kDistribution{
        {1, 4, 3, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,  1,  1,  1,  1,  1,  1, 1,
         1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1, -1, -1},
        6,
        9,
        52};
    return kDistribution;
}
const Distribution& offsetDistribution() {
    static const Distribution kDistribution{{1, 1, 1, 1, 1, 1, 2, 2, 2, 1,  1,  1,  1,  1, 1,
                                             1, 1, 1, 1, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1},
                                            5,
                                            8,
                                            kMostOffsetCode};
    return kDistribution;
}

// Sets `table` for `mode` from the start of `bytes`; returns the bytes it
// took, or -1 when it is damaged.
long readTable(int mode, std::string_view bytes, const Distribution& distribution,
               FseTable& table) {
    switch (mode) {
        case kPredefinedMode:
            return buildFseTable(distribution.counts, distribution.accuracy, table) ? 0 : -1;
        case kRleMode:
            if (bytes.empty() || static_cast<uint8_t>(bytes[0]) > distribution.maxSymbol) return -1;
            rleFseTable(static_cast<uint8_t>(bytes[0]), table);
            return 1;
        case kDescribedMode: {
            const std::size_t used =
                readFseTable(bytes, distribution.maxSymbol, distribution.maxAccuracy, table);
            return used == 0 ? -1 : static_cast<long>(used);
        }
        default:
            return table.empty() ? -1 : 0;
    }
}

// The offset a sequence's offset value stands for, the repeat offsets kept
// up to date; 0 when there is none.
uint32_t offsetOf(uint64_t value, uint32_t literalLength, std::array<uint32_t, 3>& repeats) {
    if (value > 3) {
        const auto offset = static_cast<uint32_t>(value - 3);
        repeats = {offset, repeats[0], repeats[1]};
        return offset;
    }
    // Without literals, the repeats count from the second, and 3 is the first less one.
    const std::size_t index = value - 1 + (literalLength == 0);
    if (index == 0) return repeats[0];
    const uint32_t offset = index == 3 ? repeats[0] - 1 : repeats[index];
    if (index != 1) repeats[2] = repeats[1];
    repeats[1] = repeats[0];
    repeats[0] = offset;
    return offset;
}

}  // namespace

bool runSequences(std::string_view section, const std::string& literals, std::size_t limit,
                  ZstdFrameState& state, std::string& out) {
    if (section.empty()) return false;
    const auto first = static_cast<uint8_t>(section[0]);
    const std::size_t countSize = first < 128 ? 1 : first < 255 ? 2 : 3;
    if (section.size() < countSize) return false;
    const auto byte = [section](std::size_t at) {
        return std::size_t{static_cast<uint8_t>(section[at])};
    };
    const std::size_t count = countSize == 1   ? first
                              : countSize == 2 ? ((first - std::size_t{128}) << 8) + byte(1)
                                               : byte(1) + (byte(2) << 8) + 0x7F00;
    std::size_t at = countSize;
    std::size_t literal = 0;
    if (count != 0) {
        if (section.size() <= at) return false;
        const auto modes = static_cast<uint8_t>(section[at++]);
        if ((modes & 3) != 0) return false;
        const long lengthsUsed = readTable(modes >> 6, section.substr(at),
                                           literalLengthDistribution(), state.literalLengths);
        if (lengthsUsed < 0) return false;
        at += static_cast<std::size_t>(lengthsUsed);
        const long offsetsUsed =
            readTable((modes >> 4) & 3, section.substr(at), offsetDistribution(), state.offsets);
        if (offsetsUsed < 0) return false;
        at += static_cast<std::size_t>(offsetsUsed);
        const long matchesUsed = readTable((modes >> 2) & 3, section.substr(at),
                                           matchLengthDistribution(), state.matchLengths);
        if (matchesUsed < 0) return false;
        at += static_cast<std::size_t>(matchesUsed);

        BackwardBits bits(section.substr(at));
        if (!bits.ok()) return false;
        state.literalLengths.start(bits);
        state.offsets.start(bits);
        state.matchLengths.start(bits);
        for (std::size_t sequence = 0; sequence < count; ++sequence) {
            const uint8_t offsetCode = state.offsets.symbol();
            const Code& match = kMatchLengths[state.matchLengths.symbol()];
            const Code& length = kLiteralLengths[state.literalLengths.symbol()];
            if (offsetCode > kMostOffsetCode) return false;
            const uint64_t offsetValue = (uint64_t{1} << offsetCode) + bits.read(offsetCode);
            const uint32_t matchLength = match.base + static_cast<uint32_t>(bits.read(match.bits));
            const uint32_t literalLength =
                length.base + static_cast<uint32_t>(bits.read(length.bits));
            if (sequence + 1 < count) {
                state.literalLengths.update(bits);
                state.matchLengths.update(bits);
                state.offsets.update(bits);
            }
            if (bits.overflowed()) return false;
            const uint32_t offset = offsetOf(offsetValue, literalLength, state.repeats);
            if (literalLength > literals.size() - literal ||
                out.size() + literalLength + matchLength > limit)
                return false;
            out.append(literals, literal, literalLength);
            literal += literalLength;
            if (offset == 0 || offset > out.size() - state.frameStart) return false;
            // The match may overlap what it copies: byte by byte.
            for (std::size_t from = out.size() - offset, end = from + matchLength; from < end;
                 ++from)
                out.push_back(out[from]);
        }
        if (!bits.finished()) return false;
    } else if (at != section.size()) {
        return false;
    }
    if (out.size() + literals.size() - literal > limit) return false;
    out.append(literals, literal);
    return true;
}
