// Decompression of zstd frames (RFC 8878), as libime writes its tables:
// every frame of a stream, skippable frames passed over, the content
// checksum checked where a frame has one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Appends to `unpacked` what the frames in `packed` hold; false, with
// `unpacked` in any state, when the frames are damaged, cut short, or would
// unpack to more than `limit` bytes.
bool unpackZstd(std::string_view packed, std::size_t limit, std::string& unpacked);
