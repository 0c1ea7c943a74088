// The "RT21" body, a bitmap family (every number big-endian):
//
//   offset  size  content
//   0       2     width
//   2       2     height
//   4       2     rowBytes
//   6       2     flags: 0
//   8       1     pixel size: 0 alone, 1 with a high-density picture
//   9       1     version: 0 alone, 1 with a high-density picture
//   10      2     next-depth offset in 4-byte units: 0 alone, (16 + size) / 4
//   12      4     zero
//   16      size  the standard-density bits
// With a high-density picture, after the standard-density bits (S = 16 + size):
//   S       16    separator: zero but byte 8 (pixel size) 0xFF, byte 9 (version) 1
//   S+16    2     width
//   S+18    2     height
//   S+20    2     rowBytes
//   S+22    2     flags: 0
//   S+24    1     pixel size: 1
//   S+25    1     version: 3
//   S+26    1     header size: 24
//   S+27    3     pixel format, unused, compression type: 0
//   S+30    2     density: 144
//   S+32    8     transparent value, next bitmap offset: 0
//   S+40    size2 the high-density bits
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// One picture at one bit per pixel, top row first, the leftmost pixel in the
// most significant bit; a set bit is black. Rows are rowBytes bytes (the bytes
// that hold width bits, moved up to an even number), and the bits take
// rowBytes x height bytes moved up to a multiple of 4.
struct ConvertedBitmap {
    int32_t width = 0;
    int32_t height = 0;
    int32_t rowBytes = 0;
    std::vector<uint8_t> bits;
    bool operator==(const ConvertedBitmap&) const = default;
};

// rowBytes and the size of the bits for a picture of that width and height.
int32_t bitmapRowBytes(int32_t width);
int64_t bitmapBitsSize(int32_t width, int32_t height);

// The keyboard pictures of an input method: the standard-density one and,
// optionally, its double-size companion.
struct KeyboardBitmap {
    ConvertedBitmap standard;
    std::optional<ConvertedBitmap> highDensity;
    bool operator==(const KeyboardBitmap&) const = default;
};

void encodeKeyboardBitmap(const KeyboardBitmap& bitmap, std::vector<uint8_t>& body);
// False unless the body is a family laid out as above whose sizes agree.
bool decodeKeyboardBitmap(const uint8_t* body, std::size_t size, KeyboardBitmap& bitmap);
