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
#include "ime/source/bmp_file.h"

#include "foundation/little_endian.h"
#include "ime/messages.h"

namespace {

constexpr int kDataOffsetField = 10;
constexpr int kInformationSizeField = 14;
constexpr int kWidthField = 18;
constexpr int kHeightField = 22;
constexpr int kPlanesField = 26;
constexpr int kBitsPerPixelField = 28;
constexpr int kCompressionField = 30;
constexpr int kColourTable = 54;
constexpr int kColourCount = 16;
constexpr int kPixelRowsOffset = kColourTable + kColourCount * 4;
constexpr int kInformationSize = kColourTable - kInformationSizeField;
constexpr int kWhite = 15;

// The bytes of a row of `width` pixels, two a byte, padded to 4 bytes.
int64_t rowStride(int64_t width) {
    return ((width + 1) / 2 + 3) / 4 * 4;
}

// The usual 16-colour palette (blue, green, red): black first, white last.
constexpr uint8_t kPalette[16][3] = {
    {0x00, 0x00, 0x00}, {0x00, 0x00, 0x80}, {0x00, 0x80, 0x00}, {0x00, 0x80, 0x80},
    {0x80, 0x00, 0x00}, {0x80, 0x00, 0x80}, {0x80, 0x80, 0x00}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0x00, 0x00, 0xFF}, {0x00, 0xFF, 0x00}, {0x00, 0xFF, 0xFF},
    {0xFF, 0x00, 0x00}, {0xFF, 0x00, 0xFF}, {0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0xFF},
};

bool isBlack(const KeyboardPicture& picture, int x, int y) {
    return picture.pixels[static_cast<std::size_t>(y) * picture.width + x] != 0;
}

bool isWhite(const uint8_t* entry) {
    return entry[0] == 0xFF && entry[1] == 0xFF && entry[2] == 0xFF;
}

}  // namespace

std::optional<KeyboardPicture> decodeBmpFile(const std::vector<uint8_t>& image, const char* name) {
    const uint8_t* file = image.data();
    const auto length = static_cast<int64_t>(image.size());
    if (length < kPixelRowsOffset || file[0] != 'B' || file[1] != 'M') {
        report(kNotBitmapFile, name);
        return std::nullopt;
    }
    if (getU32LE(file + kCompressionField) != 0) {
        report(kCompressedBitmap);
        return std::nullopt;
    }
    if (getU16LE(file + kPlanesField) != 1 || getU16LE(file + kBitsPerPixelField) != 4) {
        report(kNot16ColorBitmap);
        return std::nullopt;
    }
    const int64_t width = static_cast<int32_t>(getU32LE(file + kWidthField));
    const int64_t height = static_cast<int32_t>(getU32LE(file + kHeightField));
    const int64_t dataOffset = getU32LE(file + kDataOffsetField);
    const int64_t stride = rowStride(width);
    if (width <= 0 || height <= 0 || dataOffset + stride * height > length) {
        report(kNotBitmapFile, name);
        return std::nullopt;
    }

    KeyboardPicture picture{static_cast<int>(width), static_cast<int>(height), {}};
    picture.pixels.reserve(static_cast<std::size_t>(width * height));
    for (int64_t y = 0; y < height; ++y) {
        const uint8_t* row = file + dataOffset + (height - 1 - y) * stride;
        for (int64_t x = 0; x < width; ++x) {
            const uint8_t pair = row[x / 2];
            const int colour = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
            picture.pixels.push_back(isWhite(file + kColourTable + 4 * colour) ? 0 : 1);
        }
    }
    return picture;
}

std::vector<uint8_t> encodeBmpFile(const KeyboardPicture& bitmap) {
    const auto stride = static_cast<int>(rowStride(bitmap.width));
    const uint32_t rowsSize = static_cast<uint32_t>(stride) * static_cast<uint32_t>(bitmap.height);
    std::vector<uint8_t> file = {'B', 'M'};
    appendLE(file, kPixelRowsOffset + rowsSize, 4);
    appendLE(file, 0, 4);
    appendLE(file, kPixelRowsOffset, 4);
    appendLE(file, kInformationSize, 4);
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
