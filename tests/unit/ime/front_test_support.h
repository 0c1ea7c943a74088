// Shared pieces of the front-end tests: a scratch folder, a CMabrel reading a
// source text written there, passes run with standard output captured and
// the immediate process end turned into a result, and a BMP file maker.
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

#include "foundation/process_end.h"
#include "ime/mabrel_context.h"
#include "ime/messages.h"

namespace front_test {

namespace fs = std::filesystem;

inline void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string bytesOf(const void* data, std::size_t size) {
    return std::string(static_cast<const char*>(data), size);
}

class TempDir {
  public:
    TempDir() {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("cjk-front-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

  private:
    fs::path path_;
};

// Makes the test's folder the working folder while it lives.
class WorkingDir {
  public:
    explicit WorkingDir(const fs::path& path) : previous_(fs::current_path()) {
        fs::current_path(path);
    }
    ~WorkingDir() { fs::current_path(previous_); }

  private:
    fs::path previous_;
};

struct ProcessEnded {
    int status;
};

// What a pass did: its result, what it printed, and the exit status when it
// ended the process.
struct PassRun {
    int rc = 0;
    std::string output;
    std::optional<int> endStatus;
};

inline PassRun runCaptured(const std::function<int()>& pass) {
    PassRun run;
    setProcessEndHook([](int status) { throw ProcessEnded{status}; });
    testing::internal::CaptureStdout();
    try {
        run.rc = pass();
    } catch (const ProcessEnded& ended) {
        run.endStatus = ended.status;
    }
    run.output = testing::internal::GetCapturedStdout();
    setProcessEndHook(nullptr);
    return run;
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

// A test that drives passes over a source text written to a scratch file.
class SourceTest : public ::testing::Test {
  protected:
    void SetUp() override { useMabrelMessages(); }

    void openText(const std::string& text) {
        const fs::path path = dir / "src.txt";
        writeFile(path, text);
        ASSERT_TRUE(openSource(mabrel.source, path.c_str()));
    }

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
