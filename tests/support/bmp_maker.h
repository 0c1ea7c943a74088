// A BMP file maker for tests: keyboard pictures of any shape, well formed or
// not.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/little_endian.h"

namespace test_support {

// A BMP file: 14-byte file header, 40-byte information header, 16 colour
// entries (blue, green, red, reserved), rows bottom-up padded to 4 bytes.
// Row padding is written as colour 0, which is black in the default palette.
struct BmpShape {
    int32_t width = 154;
    int32_t height = 54;
    uint16_t planes = 1;
    uint16_t bitsPerPixel = 4;
    uint32_t compression = 0;
    std::array<std::array<uint8_t, 4>, 16> palette = defaultPalette();
    std::function<int(int x, int y)> colourAt = [](int, int) { return kWhite; };

    static constexpr int kBlack = 0;
    static constexpr int kWhite = 15;
    static std::array<std::array<uint8_t, 4>, 16> defaultPalette() {
        std::array<std::array<uint8_t, 4>, 16> palette{};
        palette[kWhite] = {0xFF, 0xFF, 0xFF, 0x00};
        return palette;
    }
};

inline void putLE(std::string& out, uint32_t value, int count) {
    std::vector<uint8_t> bytes;
    appendLE(bytes, value, count);
    out.append(bytes.begin(), bytes.end());
}

inline std::string makeBmp(const BmpShape& shape) {
    const int stride = ((shape.width + 1) / 2 + 3) / 4 * 4;
    const int height = shape.height > 0 ? shape.height : 0;
    const int width = shape.width > 0 ? shape.width : 0;
    std::string bmp = "BM";
    putLE(bmp, 118 + stride * height, 4);
    putLE(bmp, 0, 4);
    putLE(bmp, 118, 4);
    putLE(bmp, 40, 4);
    putLE(bmp, static_cast<uint32_t>(shape.width), 4);
    putLE(bmp, static_cast<uint32_t>(shape.height), 4);
    putLE(bmp, shape.planes, 2);
    putLE(bmp, shape.bitsPerPixel, 2);
    putLE(bmp, shape.compression, 4);
    putLE(bmp, static_cast<uint32_t>(stride * height), 4);
    bmp.append(16, '\0');
    for (const auto& entry : shape.palette) bmp.append(entry.begin(), entry.end());
    for (int row = height - 1; row >= 0; --row) {
        std::string bytes(stride, '\0');
        for (int x = 0; x < width; ++x) {
            const int colour = shape.colourAt(x, row) & 0x0F;
            bytes[x / 2] = static_cast<char>(bytes[x / 2] | (x % 2 == 0 ? colour << 4 : colour));
        }
        bmp += bytes;
    }
    return bmp;
}

inline BmpShape sizedBmp(int32_t width, int32_t height) {
    BmpShape shape;
    shape.width = width;
    shape.height = height;
    return shape;
}

}  // namespace test_support
