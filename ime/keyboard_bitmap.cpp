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
#include "ime/keyboard_bitmap.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <utility>

#include "foundation/big_endian.h"
#include "foundation/file_handle.h"
#include "ime/messages.h"

namespace {

// BMP file: 14-byte file header, 40-byte information header, 16 colour
// table entries of blue, green, red, reserved; numbers are little-endian.
constexpr int kDataOffsetField = 10;
constexpr int kWidthField = 18;
constexpr int kHeightField = 22;
constexpr int kPlanesField = 26;
constexpr int kBitsPerPixelField = 28;
constexpr int kCompressionField = 30;
constexpr int kColourTable = 54;
constexpr int kBmpHeadersSize = kColourTable + 16 * 4;

constexpr int kStandardHeaderSize = 16;
constexpr int kSeparatorSize = 16;
constexpr int kHighDensityHeaderSize = 24;
constexpr uint16_t kDoubleDensity = 144;

uint32_t getU32LE(const uint8_t* in) {
    return uint32_t{in[0]} | (uint32_t{in[1]} << 8) | (uint32_t{in[2]} << 16) |
           (uint32_t{in[3]} << 24);
}

uint16_t getU16LE(const uint8_t* in) {
    return static_cast<uint16_t>(in[0] | (in[1] << 8));
}

struct FileImage {
    ZeroedBlock bytes;
    long length = 0;
};

std::optional<FileImage> readWholeFile(const char* name) {
    FileHandle file = openInputFile(name);
    if (file == nullptr) {
        report(kOpenFileFail, name);
        return std::nullopt;
    }
    FileImage image;
    if (std::fseek(file.get(), 0, SEEK_END) != 0 || (image.length = std::ftell(file.get())) < 0) {
        report(kReadFileError, name);
        return std::nullopt;
    }
    if (image.length > INT_MAX) {
        report(kNoMemory);
        return std::nullopt;
    }
    image.bytes = allocZeroedBlock(static_cast<int>(image.length));
    if (image.bytes == nullptr) return std::nullopt;
    std::rewind(file.get());
    const std::size_t wanted = static_cast<std::size_t>(image.length);
    if (std::fread(image.bytes.get(), 1, wanted, file.get()) != wanted) {
        report(kReadFileError, name);
        return std::nullopt;
    }
    return image;
}

bool isWhite(const uint8_t* entry) {
    return entry[0] == 0xFF && entry[1] == 0xFF && entry[2] == 0xFF;
}

std::optional<ConvertedBitmap> convertBitmap(const FileImage& image, const char* name) {
    const uint8_t* file = image.bytes.get();
    if (image.length < kBmpHeadersSize || file[0] != 'B' || file[1] != 'M') {
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
    const int64_t stride = ((width + 1) / 2 + 3) / 4 * 4;
    if (width <= 0 || height <= 0 || dataOffset + stride * height > image.length) {
        report(kNotBitmapFile, name);
        return std::nullopt;
    }

    ConvertedBitmap bitmap;
    bitmap.width = static_cast<int32_t>(width);
    bitmap.height = static_cast<int32_t>(height);
    bitmap.rowBytes = static_cast<int32_t>(((width + 7) / 8 + 1) & ~int64_t{1});
    bitmap.size = (bitmap.rowBytes * bitmap.height + 3) / 4 * 4;
    bitmap.bits = allocZeroedBlock(bitmap.size);
    if (bitmap.bits == nullptr) return std::nullopt;

    for (int64_t y = 0; y < height; ++y) {
        const uint8_t* row = file + dataOffset + (height - 1 - y) * stride;
        uint8_t* out = bitmap.bits.get() + y * bitmap.rowBytes;
        for (int64_t x = 0; x < width; ++x) {
            const uint8_t pair = row[x / 2];
            const int colour = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
            if (!isWhite(file + kColourTable + 4 * colour)) out[x / 8] |= 0x80 >> (x % 8);
        }
    }
    return bitmap;
}

bool hasStandardSize(const ConvertedBitmap& bitmap) {
    return (bitmap.width == 154 && bitmap.height == 54) ||
           (bitmap.width == 156 && bitmap.height == 53);
}

void putSizes(uint8_t* out, const ConvertedBitmap& bitmap) {
    putU16BE(out, static_cast<uint16_t>(bitmap.width));
    putU16BE(out + 2, static_cast<uint16_t>(bitmap.height));
    putU16BE(out + 4, static_cast<uint16_t>(bitmap.rowBytes));
}

void fillFamily(uint8_t* body, const ConvertedBitmap& standard, const ConvertedBitmap* high) {
    putSizes(body, standard);
    std::copy_n(standard.bits.get(), standard.size, body + kStandardHeaderSize);
    if (high == nullptr) return;

    const int standardEnd = kStandardHeaderSize + standard.size;
    body[8] = 1;
    body[9] = 1;
    putU16BE(body + 10, static_cast<uint16_t>(standardEnd / 4));

    uint8_t* separator = body + standardEnd;
    separator[8] = 0xFF;
    separator[9] = 1;

    uint8_t* header = separator + kSeparatorSize;
    putSizes(header, *high);
    header[8] = 1;
    header[9] = 3;
    header[10] = kHighDensityHeaderSize;
    putU16BE(header + 14, kDoubleDensity);
    std::copy_n(high->bits.get(), high->size, header + kHighDensityHeaderSize);
}

}  // namespace

std::optional<ConvertedBitmap> loadBitmapFile(const char* name) {
    const std::optional<FileImage> image = readWholeFile(name);
    if (!image) return std::nullopt;
    return convertBitmap(*image, name);
}

int loadKeyboardBitmaps(CMabrel& mabrel, const char* name, const char* highDensityName) {
    const std::optional<ConvertedBitmap> standard = loadBitmapFile(name);
    if (!standard) return report(kBitmapLoadError);
    if (!hasStandardSize(*standard)) return report(kBitmapWrongSize);

    std::optional<ConvertedBitmap> high;
    if (highDensityName != nullptr) {
        high = loadBitmapFile(highDensityName);
        if (!high) return report(kHighDensityLoadError);
        if (high->width != 2 * standard->width || high->height != 2 * standard->height) {
            return report(kHighDensityWrongSize, 2 * standard->width, 2 * standard->height);
        }
    }

    int size = kStandardHeaderSize + standard->size;
    if (high) size += kSeparatorSize + kHighDensityHeaderSize + high->size;
    ZeroedBlock body = allocZeroedBlock(size);
    if (body == nullptr) return kNoMemory.code;
    fillFamily(body.get(), *standard, high ? &*high : nullptr);

    mabrel.keyboardBitmap = std::move(body);
    mabrel.bitmapSize = static_cast<uint16_t>(size);
    return 0;
}
