// A zstd frame (numbers little-endian):
//   0   0xFD2FB528
//   4   the descriptor: bits 6-7 the content size's field (0: none, or one
//       byte in a single segment; 1: two bytes, less 256; 2: four; 3:
//       eight), bit 5 single segment (no window byte), bit 3 reserved,
//       bit 2 a checksum follows, bits 0-1 the dictionary's field (0, 1, 2
//       or 4 bytes)
//       the window byte, the dictionary number, the content size
//       the blocks: three bytes each (bit 0 the last, bits 1-2 raw, RLE or
//       compressed, bits 3-23 its size), then its bytes (one for RLE)
//       with a checksum, the low four bytes of the content's XXH64
// A skippable frame is 0x184D2A50-0x184D2A5F, its size (four bytes) and as
// many bytes.
#include "foundation/compression/zstd_frames.h"

#include "foundation/compression/xxhash64.h"
#include "foundation/compression/zstd_blocks.h"
#include "foundation/little_endian.h"

namespace {

constexpr uint32_t kFrameMagic = 0xFD2FB528;
constexpr uint32_t kSkippableMagic = 0x184D2A50;
constexpr uint32_t kSkippableMask = 0xFFFFFFF0;
constexpr std::size_t kBlockHeaderSize = 3;
constexpr std::size_t kLargestBlock = 128 * 1024;
constexpr std::size_t kChecksumSize = 4;
enum BlockKind { kRawBlock = 0, kRleBlock = 1, kCompressedBlock = 2 };

const uint8_t* bytesAt(std::string_view bytes, std::size_t at) {
    return reinterpret_cast<const uint8_t*>(bytes.data()) + at;
}

uint32_t u32At(std::string_view bytes, std::size_t at) {
    return getU32LE(bytesAt(bytes, at));
}

// The size of the frame header from its descriptor byte, 0 for a
// reserved bit or a dictionary, which these frames never need.
std::size_t headerSize(uint8_t descriptor) {
    static constexpr std::size_t kContentSizeBytes[] = {0, 2, 4, 8};
    const bool singleSegment = descriptor & 0x20;
    if ((descriptor & 0x08) || (descriptor & 0x03)) return 0;
    std::size_t contentSize = kContentSizeBytes[descriptor >> 6];
    if (contentSize == 0 && singleSegment) contentSize = 1;
    return 1 + (singleSegment ? 0 : 1) + contentSize;
}

bool unpackBlock(int kind, std::string_view block, std::size_t limit, ZstdFrameState& state,
                 std::string& out) {
    if (kind == kRawBlock) {
        if (out.size() + block.size() > limit) return false;
        out.append(block);
        return true;
    }
    std::string literals;
    const std::size_t used = readLiterals(block, state, literals);
    return used != 0 && runSequences(block.substr(used), literals, limit, state, out);
}

// Unpacks the frame at the start of `packed` onto `out`; returns its size,
// 0 when it is damaged.
std::size_t unpackFrame(std::string_view packed, std::size_t limit, std::string& out) {
    const std::size_t header = packed.size() > 4 ? headerSize(static_cast<uint8_t>(packed[4])) : 0;
    if (header == 0 || packed.size() < 4 + header) return 0;
    const bool checksum = packed[4] & 0x04;
    ZstdFrameState state;
    state.frameStart = out.size();
    std::size_t at = 4 + header;
    for (bool last = false; !last;) {
        if (packed.size() - at < kBlockHeaderSize) return 0;
        const uint8_t* head = bytesAt(packed, at);
        const uint32_t block = head[0] | uint32_t{head[1]} << 8 | uint32_t{head[2]} << 16;
        at += kBlockHeaderSize;
        last = block & 1;
        const int kind = (block >> 1) & 3;
        const std::size_t size = block >> 3;
        if (size > kLargestBlock || kind > kCompressedBlock) return 0;
        const std::size_t stored = kind == kRleBlock ? 1 : size;
        if (packed.size() - at < stored) return 0;
        if (kind == kRleBlock) {
            if (out.size() + size > limit) return 0;
            out.append(size, packed[at]);
        } else if (!unpackBlock(kind, packed.substr(at, size), limit, state, out)) {
            return 0;
        }
        at += stored;
    }
    if (checksum) {
        if (packed.size() - at < kChecksumSize) return 0;
        const auto content = std::string_view(out).substr(state.frameStart);
        if (static_cast<uint32_t>(xxhash64(content)) != u32At(packed, at)) return 0;
        at += kChecksumSize;
    }
    return at;
}

}  // namespace

bool unpackZstd(std::string_view packed, std::size_t limit, std::string& unpacked) {
    if (packed.empty()) return false;
    while (!packed.empty()) {
        if (packed.size() < 8) return false;
        const uint32_t magic = u32At(packed, 0);
        std::size_t size = 0;
        if ((magic & kSkippableMask) == kSkippableMagic) {
            size = 8 + std::size_t{u32At(packed, 4)};
            if (size > packed.size()) return false;
        } else if (magic != kFrameMagic || (size = unpackFrame(packed, limit, unpacked)) == 0) {
            return false;
        }
        packed.remove_prefix(size);
    }
    return true;
}
