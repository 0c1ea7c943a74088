// The BMP file, every number little-endian:
//
//   offset  size  content
//   0       2     "BM"
//   2       4     file size
//   6       4     zero
//   10      4     offset of the pixel rows: 118
//   14      4     information header size: 40
//   18      4     width
//   22      4     height (positive: rows bottom-up)
//   26      2     planes: 1
//   28      2     bits per pixel: 4
//   30      4     compression: 0
//   34      4     size of the pixel rows
//   38      16    resolution and colour counts: zero
//   54      64    16 colour entries: blue, green, red, zero
//   118           the rows, bottom row first, two pixels a byte (the left one
//                 in the high four bits), each row padded to 4 bytes
#include "ime/bmp_file.h"

#include "foundation/little_endian.h"

namespace {

constexpr int kPixelRowsOffset = 118;
constexpr int kWhite = 15;

// The usual 16-colour palette (blue, green, red): black first, white last.
constexpr uint8_t kPalette[16][3] = {
    {0x00, 0x00, 0x00}, {0x00, 0x00, 0x80}, {0x00, 0x80, 0x00}, {0x00, 0x80, 0x80},
    {0x80, 0x00, 0x00}, {0x80, 0x00, 0x80}, {0x80, 0x80, 0x00}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0x00, 0x00, 0xFF}, {0x00, 0xFF, 0x00}, {0x00, 0xFF, 0xFF},
    {0xFF, 0x00, 0x00}, {0xFF, 0x00, 0xFF}, {0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0xFF},
};

bool isBlack(const ConvertedBitmap& bitmap, int x, int y) {
    const uint8_t byte = bitmap.bits[static_cast<std::size_t>(y) * bitmap.rowBytes + x / 8];
    return (byte & (0x80 >> (x % 8))) != 0;
}

}  // namespace

std::vector<uint8_t> encodeBmpFile(const ConvertedBitmap& bitmap) {
    const int stride = ((bitmap.width + 1) / 2 + 3) / 4 * 4;
    const uint32_t rowsSize = static_cast<uint32_t>(stride) * static_cast<uint32_t>(bitmap.height);
    std::vector<uint8_t> file = {'B', 'M'};
    appendLE(file, kPixelRowsOffset + rowsSize, 4);
    appendLE(file, 0, 4);
    appendLE(file, kPixelRowsOffset, 4);
    appendLE(file, 40, 4);
    appendLE(file, static_cast<uint32_t>(bitmap.width), 4);
    appendLE(file, static_cast<uint32_t>(bitmap.height), 4);
    appendLE(file, 1, 2);
    appendLE(file, 4, 2);
    appendLE(file, 0, 4);
    appendLE(file, rowsSize, 4);
    file.insert(file.end(), 16, 0);  // resolution and colour counts
    for (const auto& colour : kPalette) {
        file.insert(file.end(), colour, colour + 3);
        file.push_back(0);
    }
    for (int y = bitmap.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < bitmap.width; ++x) {
            const uint8_t colour = isBlack(bitmap, x, y) ? 0 : kWhite;
            row[x / 2] |= x % 2 == 0 ? static_cast<uint8_t>(colour << 4) : colour;
        }
        file.insert(file.end(), row.begin(), row.end());
    }
    return file;
}
