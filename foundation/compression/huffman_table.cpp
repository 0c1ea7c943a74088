#include "foundation/compression/huffman_table.h"

#include <array>
#include <bit>

#include "foundation/compression/backward_bits.h"
#include "foundation/compression/fse_table.h"

namespace {

constexpr unsigned kLongestCode = 11;
constexpr unsigned kMostWeightSymbols = 255;
constexpr unsigned kWeightAccuracy = 6;
constexpr unsigned kLargestWeight = 12;
constexpr uint8_t kDirectWeights = 128;

// The weights of an FSE-compressed description: two states take turns
// until the stream runs out.
bool readCompressedWeights(std::string_view bytes, std::vector<uint8_t>& weights) {
    FseTable table;
    const std::size_t used = readFseTable(bytes, kLargestWeight, kWeightAccuracy, table);
    if (used == 0) return false;
    BackwardBits bits(bytes.substr(used));
    if (!bits.ok()) return false;
    FseTable second = table;
    table.start(bits);
    second.start(bits);
    for (FseTable* turn = &table; weights.size() < kMostWeightSymbols;) {
        weights.push_back(turn->symbol());
        turn->update(bits);
        FseTable* other = turn == &table ? &second : &table;
        if (bits.overflowed()) {
            weights.push_back(other->symbol());
            return weights.size() <= kMostWeightSymbols;
        }
        turn = other;
    }
    return false;
}

bool buildHuffmanTable(std::vector<uint8_t>& weights, HuffmanTable& table) {
    uint32_t total = 0;
    for (const uint8_t weight : weights) {
        if (weight > kLargestWeight) return false;
        if (weight != 0) total += uint32_t{1} << (weight - 1);
    }
    if (total == 0) return false;
    // The last symbol's weight brings the total to the next power of two.
    const unsigned longest = static_cast<unsigned>(std::bit_width(total));
    const uint32_t rest = (uint32_t{1} << longest) - total;
    if (longest > kLongestCode || !std::has_single_bit(rest)) return false;
    weights.push_back(static_cast<uint8_t>(std::bit_width(rest)));

    // The lightest symbols take the lowest codes, in symbol order.
    std::array<uint32_t, kLargestWeight + 2> start{};
    for (const uint8_t weight : weights)
        if (weight != 0) start[weight + 1] += uint32_t{1} << (weight - 1);
    for (std::size_t weight = 1; weight < start.size(); ++weight)
        start[weight] += start[weight - 1];
    table.longest = longest;
    table.entries.assign(std::size_t{1} << longest, HuffmanEntry{});
    for (std::size_t symbol = 0; symbol < weights.size(); ++symbol) {
        const uint8_t weight = weights[symbol];
        if (weight == 0) continue;
        if (weight > longest) return false;
        const HuffmanEntry entry{static_cast<uint8_t>(symbol),
                                 static_cast<uint8_t>(longest + 1 - weight)};
        const uint32_t first = start[weight];
        start[weight] += uint32_t{1} << (weight - 1);
        for (uint32_t code = first; code < start[weight]; ++code) table.entries[code] = entry;
    }
    return true;
}

}  // namespace

std::size_t readHuffmanTable(std::string_view bytes, HuffmanTable& table) {
    if (bytes.empty()) return 0;
    const uint8_t header = static_cast<uint8_t>(bytes[0]);
    std::vector<uint8_t> weights;
    std::size_t size = 0;
    if (header < kDirectWeights) {
        size = header;
        if (size + 1 > bytes.size() || !readCompressedWeights(bytes.substr(1, size), weights))
            return 0;
    } else {
        const std::size_t count = header - kDirectWeights + 1;
        size = (count + 1) / 2;
        if (size + 1 > bytes.size()) return 0;
        for (std::size_t at = 0; at < count; ++at) {
            const auto pair = static_cast<uint8_t>(bytes[1 + at / 2]);
            weights.push_back(at % 2 == 0 ? pair >> 4 : pair & 0x0F);
        }
    }
    return buildHuffmanTable(weights, table) ? size + 1 : 0;
}

bool decodeHuffmanStream(const HuffmanTable& table, std::string_view stream, std::size_t count,
                         std::string& out) {
    BackwardBits bits(stream);
    if (!bits.ok()) return false;
    for (std::size_t done = 0; done < count; ++done) {
        const HuffmanEntry& entry = table.entries[bits.peek(table.longest)];
        out += static_cast<char>(entry.symbol);
        bits.skip(entry.bits);
        if (bits.overflowed()) return false;
    }
    return bits.finished();
}
