// Shared pieces of the front-end tests: a CMabrel reading a source text,
// passes run with standard output captured and the immediate process end
// turned into a result, the resource bodies the records encode to, and a BMP
// file maker.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string>

#include "ime/ime_database_image.h"
#include "ime/mabrel_context.h"
#include "ime/messages.h"
#include "tests/support/files.h"
#include "tests/support/process_end_stub.h"

namespace front_test {

using namespace test_support;
using TempDir = ScratchDir;
using PassRun = StepRun;

inline std::string bytesOf(const void* data, std::size_t size) {
    return std::string(static_cast<const char*>(data), size);
}

// The body of resource `type` as the database would hold it; empty when the
// database would not hold it.
inline std::string resourceBody(const CMabrel& mabrel, const char* type) {
    for (const DatabaseResource& resource : imeResources(mabrel)) {
        if (std::string(resource.type, 4) == type) {
            return bytesOf(resource.body.data(), resource.body.size());
        }
    }
    return {};
}

// A numbered message as printed while a section is current.
inline std::string numbered(int line, const char* section, int code, const std::string& text) {
    return "\r \r\aL" + std::to_string(line) + ", " + section + ", Message " +
           std::to_string(code) + ": " + text + "\n";
}

// A numbered message as printed before any section was found.
inline std::string unsectioned(int code, const std::string& text) {
    return "\r \r\aMessage " + std::to_string(code) + " : " + text + "\n";
}

// A test that drives passes over a source text; `dir` holds its other files.
class SourceTest : public ::testing::Test {
  protected:
    void SetUp() override { useMabrelMessages(); }

    void openText(const std::string& text) { mabrel.source.stream = SourceText{text}; }

    TempDir dir;
    CMabrel mabrel;
};

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

inline void putLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
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

}  // namespace front_test
