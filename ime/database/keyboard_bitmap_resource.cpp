#include "ime/database/keyboard_bitmap_resource.h"

#include "foundation/big_endian.h"

namespace {

constexpr int kStandardHeaderSize = 16;
constexpr int kSeparatorSize = 16;
constexpr int kHighDensityHeaderSize = 24;
constexpr uint16_t kDoubleDensity = 144;

void putSizes(BigEndianWriter& field, const ConvertedBitmap& bitmap) {
    field.u16(static_cast<uint16_t>(bitmap.width));
    field.u16(static_cast<uint16_t>(bitmap.height));
    field.u16(static_cast<uint16_t>(bitmap.rowBytes));
    field.u16(0);  // flags
}

void putBits(std::vector<uint8_t>& body, const ConvertedBitmap& bitmap) {
    body.insert(body.end(), bitmap.bits.begin(), bitmap.bits.end());
}

// Reads the sizes at `at` and the bits after a header of `headerSize`
// bytes; false when they disagree or the bits do not fit.
bool takePicture(const uint8_t* body, std::size_t size, std::size_t at, int headerSize,
                 ConvertedBitmap& bitmap) {
    if (at + headerSize > size) return false;
    BigEndianReader field(body + at);
    bitmap.width = field.u16();
    bitmap.height = field.u16();
    bitmap.rowBytes = field.u16();
    if (bitmap.width == 0 || bitmap.height == 0 ||
        bitmap.rowBytes != bitmapRowBytes(bitmap.width)) {
        return false;
    }
    const std::size_t bitsSize =
        static_cast<std::size_t>(bitmapBitsSize(bitmap.width, bitmap.height));
    const std::size_t start = at + headerSize;
    if (start + bitsSize > size) return false;
    bitmap.bits.assign(body + start, body + start + bitsSize);
    return true;
}

}  // namespace

int32_t bitmapRowBytes(int32_t width) {
    return static_cast<int32_t>(((int64_t{width} + 7) / 8 + 1) & ~int64_t{1});
}

int64_t bitmapBitsSize(int32_t width, int32_t height) {
    return (int64_t{bitmapRowBytes(width)} * height + 3) / 4 * 4;
}

void encodeKeyboardBitmap(const KeyboardBitmap& bitmap, std::vector<uint8_t>& body) {
    BigEndianWriter field(body);
    const ConvertedBitmap& standard = bitmap.standard;
    const bool high = bitmap.highDensity.has_value();
    const int standardEnd = kStandardHeaderSize + static_cast<int>(standard.bits.size());
    putSizes(field, standard);
    field.u8(high ? 1 : 0);  // pixel size
    field.u8(high ? 1 : 0);  // version
    field.u16(static_cast<uint16_t>(high ? standardEnd / 4 : 0));
    field.zeros(4);
    putBits(body, standard);
    if (!high) return;

    field.zeros(8);
    field.u8(0xFF);  // the separator's pixel size
    field.u8(1);     // and version
    field.zeros(6);
    putSizes(field, *bitmap.highDensity);
    field.u8(1);  // pixel size
    field.u8(3);  // version
    field.u8(kHighDensityHeaderSize);
    field.zeros(3);  // pixel format, unused, compression type
    field.u16(kDoubleDensity);
    field.zeros(8);  // transparent value, next bitmap offset
    putBits(body, *bitmap.highDensity);
}

bool decodeKeyboardBitmap(const uint8_t* body, std::size_t size, KeyboardBitmap& bitmap) {
    bitmap = KeyboardBitmap{};
    if (!takePicture(body, size, 0, kStandardHeaderSize, bitmap.standard)) return false;
    const std::size_t standardEnd = kStandardHeaderSize + bitmap.standard.bits.size();
    const uint8_t version = body[9];
    if (version == 0) return body[8] == 0 && getU16BE(body + 10) == 0 && size == standardEnd;
    if (version != 1 || body[8] != 1 || getU16BE(body + 10) * std::size_t{4} != standardEnd) {
        return false;
    }
    const std::size_t separator = standardEnd;
    if (separator + kSeparatorSize > size || body[separator + 8] != 0xFF ||
        body[separator + 9] != 1) {
        return false;
    }
    const std::size_t header = separator + kSeparatorSize;
    ConvertedBitmap high;
    if (!takePicture(body, size, header, kHighDensityHeaderSize, high)) return false;
    if (body[header + 8] != 1 || body[header + 9] != 3 ||
        body[header + 10] != kHighDensityHeaderSize) {
        return false;
    }
    if (header + kHighDensityHeaderSize + high.bits.size() != size) return false;
    bitmap.highDensity = std::move(high);
    return true;
}
