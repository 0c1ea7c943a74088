#include "ime/source/keyboard_bitmap.h"

#include <set>
#include <utility>
#include <vector>

#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

using Pixels = std::set<std::pair<int, int>>;

BmpShape pictureWithBlack(int width, int height, Pixels black) {
    BmpShape shape = sizedBmp(width, height);
    shape.colourAt = [black](int x, int y) {
        return black.count({x, y}) != 0 ? BmpShape::kBlack : BmpShape::kWhite;
    };
    return shape;
}

class KeyboardBitmapTest : public ::testing::Test {
  protected:
    void SetUp() override { useMabrelMessages(); }

    std::string file(const std::string& name, const std::string& bytes) {
        const fs::path path = dir / name;
        writeFile(path, bytes);
        return path.string();
    }

    PassRun load(const std::string& name, const std::string* highDensityName = nullptr) {
        return runCaptured([&] {
            return loadKeyboardBitmaps(mabrel, name.c_str(),
                                       highDensityName ? highDensityName->c_str() : nullptr);
        });
    }

    std::string body(int offset, int size) const {
        return resourceBody(mabrel, "RT21").substr(offset, size);
    }

    TempDir dir;
    CMabrel mabrel;
};

// The expected bits of a picture: `rowBytes` a row, the given bytes set.
std::string bitsWith(int size, std::initializer_list<std::pair<int, uint8_t>> bytes) {
    std::string bits(size, '\0');
    for (const auto& [offset, value] : bytes) bits[offset] = static_cast<char>(value);
    return bits;
}

TEST_F(KeyboardBitmapTest, StandardPictureAlone) {
    const std::string name =
        file("kbd.bmp", makeBmp(pictureWithBlack(154, 54, {{0, 0}, {9, 1}, {153, 53}})));
    const PassRun run = load(name);
    ASSERT_EQ(run.rc, 0) << run.output;
    EXPECT_EQ(run.output, "");
    ASSERT_EQ(resourceBody(mabrel, "RT21").size(), 1096u);
    EXPECT_EQ(body(0, 16), std::string("\x00\x9A\x00\x36\x00\x14", 6) + std::string(10, '\0'));
    EXPECT_EQ(body(16, 1080), bitsWith(1080, {{0, 0x80}, {21, 0x40}, {53 * 20 + 19, 0x40}}));
}

TEST_F(KeyboardBitmapTest, StandardAndHighDensityPictures) {
    const std::string name = file("kbd.bmp", makeBmp(pictureWithBlack(154, 54, {{153, 0}})));
    const std::string highName =
        file("hdd.bmp", makeBmp(pictureWithBlack(308, 108, {{0, 0}, {307, 107}})));
    const PassRun run = load(name, &highName);
    ASSERT_EQ(run.rc, 0) << run.output;
    ASSERT_EQ(resourceBody(mabrel, "RT21").size(), 5456u);
    EXPECT_EQ(body(0, 16), std::string("\x00\x9A\x00\x36\x00\x14\x00\x00\x01\x01\x01\x12", 12) +
                               std::string(4, '\0'));
    EXPECT_EQ(body(16, 1080), bitsWith(1080, {{19, 0x40}}));
    EXPECT_EQ(body(1096, 16), std::string(8, '\0') + "\xFF\x01" + std::string(6, '\0'));
    EXPECT_EQ(body(1112, 24),
              std::string("\x01\x34\x00\x6C\x00\x28\x00\x00\x01\x03\x18\x00\x00\x00\x00\x90", 16) +
                  std::string(8, '\0'));
    EXPECT_EQ(body(1136, 4320), bitsWith(4320, {{0, 0x80}, {107 * 40 + 38, 0x10}}));
}

TEST_F(KeyboardBitmapTest, NarrowerPictureWithHighDensity) {
    const std::string name = file("kbd.bmp", makeBmp(sizedBmp(156, 53)));
    const std::string highName = file("hdd.bmp", makeBmp(sizedBmp(312, 106)));
    const PassRun run = load(name, &highName);
    ASSERT_EQ(run.rc, 0) << run.output;
    ASSERT_EQ(resourceBody(mabrel, "RT21").size(), 5356u);
    EXPECT_EQ(body(0, 12), std::string("\x00\x9C\x00\x35\x00\x14\x00\x00\x01\x01\x01\x0D", 12));
    EXPECT_EQ(body(1076, 16), std::string(8, '\0') + "\xFF\x01" + std::string(6, '\0'));
    EXPECT_EQ(body(1092, 6), std::string("\x01\x38\x00\x6A\x00\x28", 6));
    EXPECT_EQ(body(1116, 4240), std::string(4240, '\0'));
}

struct Geometry {
    int width;
    int height;
    int rowBytes;
    int size;
};

void PrintTo(const Geometry& c, std::ostream* os) {
    *os << c.width << "x" << c.height;
}

class ConvertedGeometry : public KeyboardBitmapTest,
                          public ::testing::WithParamInterface<Geometry> {};

TEST_P(ConvertedGeometry, RowsAreEvenAndSizeIsAMultipleOfFour) {
    const Geometry& g = GetParam();
    const std::string name = file("any.bmp", makeBmp(sizedBmp(g.width, g.height)));
    std::optional<KeyboardPicture> bitmap;
    runCaptured([&] {
        bitmap = loadBitmapFile(name.c_str());
        return 0;
    });
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmapRowBytes(bitmap->width), g.rowBytes);
    EXPECT_EQ(bitmapBitsSize(bitmap->width, bitmap->height), g.size);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ConvertedGeometry,
                         ::testing::Values(Geometry{1, 1, 2, 4}, Geometry{16, 1, 2, 4},
                                           Geometry{9, 3, 2, 8}, Geometry{17, 3, 4, 12},
                                           Geometry{154, 54, 20, 1080},
                                           Geometry{312, 106, 40, 4240}));

TEST_F(KeyboardBitmapTest, OnlyPureWhiteIsWhite) {
    BmpShape shape = sizedBmp(6, 1);
    shape.palette[1] = {0xFE, 0xFF, 0xFF, 0x00};
    shape.palette[2] = {0xFF, 0xFE, 0xFF, 0x00};
    shape.palette[3] = {0xFF, 0xFF, 0xFE, 0x00};
    shape.palette[4] = {0xFF, 0xFF, 0xFF, 0x55};
    shape.colourAt = [](int x, int) { return std::array{15, 1, 2, 3, 4, 0}[x]; };
    const std::string name = file("grey.bmp", makeBmp(shape));
    std::optional<KeyboardPicture> bitmap;
    runCaptured([&] {
        bitmap = loadBitmapFile(name.c_str());
        return 0;
    });
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->pixels, (std::vector<uint8_t>{0, 1, 1, 1, 0, 1}));
}

// A little-endian field of a valid 154 x 54 file given another value.
struct Patch {
    int offset;
    int size;
    uint32_t value;
};

// A valid file changed by patches and cut to `keep` bytes.
struct RejectedFile {
    const char* name;
    std::vector<Patch> patches;
    std::size_t keep;
    int code;
    std::string text;  // "%s" stands for the file name
};

void PrintTo(const RejectedFile& c, std::ostream* os) {
    *os << c.name;
}

class RejectedBitmap : public KeyboardBitmapTest,
                       public ::testing::WithParamInterface<RejectedFile> {};

std::string withName(std::string text, const std::string& name) {
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, name);
    return text;
}

TEST_P(RejectedBitmap, DrawsItsMessageAndTheLoadError) {
    const RejectedFile& c = GetParam();
    std::string bytes = makeBmp(BmpShape{});
    for (const Patch& patch : c.patches) {
        for (int i = 0; i < patch.size; ++i) {
            bytes[patch.offset + i] = static_cast<char>(patch.value >> (8 * i));
        }
    }
    const std::string name = file("bad.bmp", bytes.substr(0, c.keep));
    const PassRun run = load(name);
    EXPECT_EQ(run.rc, 301);
    EXPECT_EQ(run.output, unsectioned(c.code, withName(c.text, name)) +
                              unsectioned(301, "Error while loading bitmap file"));
    EXPECT_FALSE(mabrel.im.keyboard.has_value());
}

const char* const kNotBitmap = "File \"%s\" is not a bitmap file";
const char* const kNot16Colour = "Must be 16color black and white bitmap file";
constexpr std::size_t kWhole = std::string::npos;
constexpr std::size_t kFileSize = 118 + 80 * 54;

INSTANTIATE_TEST_SUITE_P(
    Files, RejectedBitmap,
    ::testing::Values(
        RejectedFile{"NotBM", {{1, 1, 'A'}}, kWhole, 300, kNotBitmap},
        RejectedFile{"ShorterThanHeaders", {}, 117, 300, kNotBitmap},
        RejectedFile{"CompressedEightBit",
                     {{30, 4, 2}, {28, 2, 8}},
                     kWhole,
                     301,
                     "Can't handle compressed bitmap file"},
        RejectedFile{"OneBit", {{28, 2, 1}}, kWhole, 301, kNot16Colour},
        RejectedFile{"EightBit", {{28, 2, 8}}, kWhole, 301, kNot16Colour},
        RejectedFile{"TwoPlanes", {{26, 2, 2}}, kWhole, 301, kNot16Colour},
        RejectedFile{"ZeroWidth", {{18, 4, 0}}, kWhole, 300, kNotBitmap},
        RejectedFile{"TopDownRows", {{22, 4, static_cast<uint32_t>(-54)}}, kWhole, 300, kNotBitmap},
        RejectedFile{"LastRowCut", {}, kFileSize - 1, 300, kNotBitmap},
        RejectedFile{"RowsOffsetPastEnd", {{10, 4, 0xFFFFFFF0u}}, kWhole, 300, kNotBitmap},
        RejectedFile{"HugeWidth", {{18, 4, 0x7FFFFFFFu}}, kWhole, 300, kNotBitmap}),
    [](const ::testing::TestParamInfo<RejectedFile>& info) {
        return std::string(info.param.name);
    });

TEST_F(KeyboardBitmapTest, HighDensityPictureOfTheOtherFamily) {
    const std::string name = file("kbd.bmp", makeBmp(sizedBmp(154, 54)));
    const std::string highName = file("hdd.bmp", makeBmp(sizedBmp(312, 106)));
    const PassRun run = load(name, &highName);
    EXPECT_EQ(run.rc, 301);
    EXPECT_EQ(run.output, unsectioned(301, "Must be 308(width) X 108(height) bitmap file"));
    EXPECT_FALSE(mabrel.im.keyboard.has_value());
}

TEST_F(KeyboardBitmapTest, HighDensityFileThatIsNoBitmap) {
    const std::string name = file("kbd.bmp", makeBmp(sizedBmp(154, 54)));
    const std::string highName = file("hdd.bmp", "BM");
    const PassRun run = load(name, &highName);
    EXPECT_EQ(run.rc, 301);
    EXPECT_EQ(run.output, unsectioned(300, withName(kNotBitmap, highName)) +
                              unsectioned(301, "Error while loading High Density bitmap file"));
}

}  // namespace
