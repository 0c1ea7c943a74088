// Keyboard pictures: 16-colour BMP files (numbers little-endian) read whole,
// checked, converted to one bit per pixel and kept as the "RT21" record.
#include "ime/keyboard_bitmap.h"

#include <new>
#include <utility>
#include <vector>

#include "foundation/input_file.h"
#include "foundation/little_endian.h"
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

// The whole file, or nothing after reporting 100 or 101.
std::optional<std::vector<uint8_t>> readBitmapFile(const char* name, const PictureFiles& given) {
    if (!given.empty()) {
        const auto found = given.find(name);
        if (found != given.end()) return found->second;
        report(kOpenFileFail, name);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    if (readInputFile(name, bytes) != 0) return std::nullopt;
    return bytes;
}

bool isWhite(const uint8_t* entry) {
    return entry[0] == 0xFF && entry[1] == 0xFF && entry[2] == 0xFF;
}

std::optional<ConvertedBitmap> convertBitmap(const std::vector<uint8_t>& image, const char* name) {
    const uint8_t* file = image.data();
    const auto length = static_cast<int64_t>(image.size());
    if (length < kBmpHeadersSize || file[0] != 'B' || file[1] != 'M') {
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
    if (width <= 0 || height <= 0 || dataOffset + stride * height > length) {
        report(kNotBitmapFile, name);
        return std::nullopt;
    }

    ConvertedBitmap bitmap;
    bitmap.width = static_cast<int32_t>(width);
    bitmap.height = static_cast<int32_t>(height);
    bitmap.rowBytes = bitmapRowBytes(bitmap.width);
    bitmap.bits.assign(static_cast<std::size_t>(bitmapBitsSize(bitmap.width, bitmap.height)), 0);

    for (int64_t y = 0; y < height; ++y) {
        const uint8_t* row = file + dataOffset + (height - 1 - y) * stride;
        uint8_t* out = bitmap.bits.data() + y * bitmap.rowBytes;
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

}  // namespace

std::optional<ConvertedBitmap> loadBitmapFile(const char* name, const PictureFiles& given) {
    // A picture too large for memory is reported here, so that the caller's
    // message about the file follows.
    try {
        const std::optional<std::vector<uint8_t>> image = readBitmapFile(name, given);
        if (!image) return std::nullopt;
        return convertBitmap(*image, name);
    } catch (const std::bad_alloc&) {
        report(kNoMemory);
        return std::nullopt;
    }
}

int loadKeyboardBitmaps(CMabrel& mabrel, const char* name, const char* highDensityName) {
    std::optional<ConvertedBitmap> standard = loadBitmapFile(name, mabrel.pictureFiles);
    if (!standard) return report(kBitmapLoadError);
    if (!hasStandardSize(*standard)) return report(kBitmapWrongSize);

    std::optional<ConvertedBitmap> high;
    if (highDensityName != nullptr) {
        high = loadBitmapFile(highDensityName, mabrel.pictureFiles);
        if (!high) return report(kHighDensityLoadError);
        if (high->width != 2 * standard->width || high->height != 2 * standard->height) {
            return report(kHighDensityWrongSize, 2 * standard->width, 2 * standard->height);
        }
    }
    mabrel.keyboardBitmap = KeyboardBitmap{std::move(*standard), std::move(high)};
    return 0;
}
