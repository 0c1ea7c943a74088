// Reads a fuzzed fcitx 5 table, as saved and as zstd frames: a table that
// reads gives text, one that does not is refused as damaged, and a frame
// never unpacks beyond its bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "foundation/compression/zstd_frames.h"
#include "foundation/desktop_tables/binary/binary_formats.h"

namespace {

constexpr std::size_t kBound = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string unpacked;
    if (unpackZstd(bytes, kBound, unpacked) && unpacked.size() > kBound) std::abort();
    TableText text;
    const Decoded decoded = decodeLibimeTable("t.main.dict", bytes, text);
    if (decoded == Decoded::kLibraryMissing) std::abort();
    if (decoded == Decoded::kDecoded && text.text().find("[Data]\n") == std::string::npos)
        std::abort();
    return 0;
}
