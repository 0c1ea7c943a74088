// A literals section starts with its header (sizes little-endian):
//   bits 0-1 of the first byte: raw, RLE, Huffman-compressed, or compressed
//   with the previous block's Huffman table; bits 2-3: the size format.
//   Raw and RLE: 5, 12 or 20 bits of size (one, two or three bytes of header)
//   Compressed: one stream and 10-bit sizes, four streams and 10-, 14- or
//   18-bit sizes (three, three, four or five bytes), regenerated size first
// then the Huffman tree (for its kind), and with four streams a jump table
// of three two-byte stream sizes before the streams.
#include "foundation/compression/zstd_blocks.h"

namespace {

enum LiteralsKind { kRaw = 0, kRle = 1, kCompressed = 2, kRepeated = 3 };

constexpr std::size_t kMostLiterals = 128 * 1024;
constexpr std::size_t kJumpTableSize = 6;
constexpr std::size_t kStreams = 4;

uint64_t littleEndian(std::string_view bytes, std::size_t count) {
    uint64_t value = 0;
    for (std::size_t at = 0; at < count; ++at)
        value |= uint64_t{static_cast<uint8_t>(bytes[at])} << (8 * at);
    return value;
}

// The four streams of `streams`, each a quarter of `count` literals (the
// last takes what is left).
bool decodeFourStreams(const HuffmanTable& table, std::string_view streams, std::size_t count,
                       std::string& literals) {
    if (streams.size() < kJumpTableSize) return false;
    const std::size_t quarter = (count + 3) / 4;
    std::size_t at = kJumpTableSize;
    for (std::size_t stream = 0; stream < kStreams; ++stream) {
        const std::size_t size = stream + 1 < kStreams ? littleEndian(streams.substr(2 * stream), 2)
                                                       : streams.size() - at;
        if (size > streams.size() - at) return false;
        const std::size_t literalsOfStream = stream + 1 < kStreams ? quarter : count - 3 * quarter;
        if (3 * quarter > count ||
            !decodeHuffmanStream(table, streams.substr(at, size), literalsOfStream, literals))
            return false;
        at += size;
    }
    return true;
}

}  // namespace

std::size_t readLiterals(std::string_view block, ZstdFrameState& state, std::string& literals) {
    if (block.empty()) return 0;
    const auto first = static_cast<uint8_t>(block[0]);
    const int kind = first & 3;
    const int format = (first >> 2) & 3;
    literals.clear();
    if (kind == kRaw || kind == kRle) {
        static constexpr std::size_t kHeaderSizes[] = {1, 2, 1, 3};
        const std::size_t header = kHeaderSizes[format];
        if (block.size() < header) return 0;
        const std::size_t size = littleEndian(block, header) >> (header == 1 ? 3 : 4);
        const std::size_t stored = kind == kRaw ? size : 1;
        if (block.size() - header < stored) return 0;
        if (kind == kRaw) literals.assign(block.substr(header, size));
        if (kind == kRle) literals.assign(size, block[header]);
        return header + stored;
    }
    static constexpr std::size_t kHeaderSizes[] = {3, 3, 4, 5};
    static constexpr unsigned kSizeBits[] = {10, 10, 14, 18};
    const std::size_t header = kHeaderSizes[format];
    if (block.size() < header) return 0;
    const uint64_t sizes = littleEndian(block, header) >> 4;
    const uint64_t mask = (uint64_t{1} << kSizeBits[format]) - 1;
    const std::size_t count = sizes & mask;
    const std::size_t packed = (sizes >> kSizeBits[format]) & mask;
    if (count > kMostLiterals || packed > block.size() - header) return 0;
    std::string_view streams = block.substr(header, packed);
    if (kind == kCompressed) {
        const std::size_t tree = readHuffmanTable(streams, state.literals);
        if (tree == 0) return 0;
        streams.remove_prefix(tree);
    }
    if (state.literals.empty()) return 0;
    literals.reserve(count);
    const bool decoded = format == 0 ? decodeHuffmanStream(state.literals, streams, count, literals)
                                     : decodeFourStreams(state.literals, streams, count, literals);
    return decoded ? header + packed : 0;
}
