// The keyboard pictures /k and the imports draw, with the installed fonts: a
// few keys' pixels worked out by hand from the geometry and misaki's glyphs,
// and over every bundled example, that each key's box holds what that key
// drawn alone holds, nothing is drawn outside the boxes, and the BMP file
// reads back as the same pixels.
#include "ime/source/keyboard_drawing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ime/compile_driver.h"
#include "ime/keyboard_driver.h"
#include "ime/messages.h"
#include "ime/source/bmp_file.h"

namespace {

bool fontsInstalled() {
    return std::filesystem::exists(kMisakiFontFile) && std::filesystem::exists(kUnifontFile);
}

// The pixels of the box at (left, top), `width` x `height`, one text a row.
std::vector<std::string> boxRows(const KeyboardPicture& picture, int left, int top, int width,
                                 int height) {
    std::vector<std::string> rows;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x)
            row += picture.pixels[y * picture.width + x] ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

InputMethod bigFiveMethod(KeyMapRows rows) {
    InputMethod im;
    im.charSet = 0x11;  // ChineseBIG5
    im.usedCodes = "qb";
    im.displayCodes = {{'q', 0}, {0xA3, 0x74}};  // q, and ㄅ (which misaki lacks)
    im.keyMap = rows;
    return im;
}

TEST(KeyboardDrawing, KeysAsWorkedOutByHand) {
    if (!fontsInstalled()) GTEST_SKIP() << "fonts-misaki or unifont not installed";
    useMabrelMessages();
    KeyMapRows rows{};
    rows[0][0] = {'q', 0};
    rows[3][1] = {'b', 0};
    const DrawnKeyboard drawn = drawKeyboard(bigFiveMethod(rows), true);
    ASSERT_EQ(drawn.missingFile, "");
    const KeyboardPicture& picture = drawn.pictures.standard;
    ASSERT_EQ(picture.width, 154);
    ASSERT_EQ(picture.height, 54);
    // Row 1, column 1: the box at (1, 1); misaki's "q" (3 x 7 in a 4 x 8 cell)
    // at (3, 2) inside it.
    const std::vector<std::string> q = {"###########", "#.........#", "#.........#", "#.........#",
                                        "#...##....#", "#..#.#....#", "#..#.#....#", "#...##....#",
                                        "#....#....#", "#.........#", "#.........#", "###########"};
    EXPECT_EQ(boxRows(picture, 1, 1, 11, 12), q);
    // Row 4, column 2: at (1 + 8 + 12, 1 + 39). misaki has no ㄅ: the key's
    // "b" is drawn instead, and counted; Unifont has it.
    const std::vector<std::string> b = {"###########", "#.........#", "#..#......#", "#..#......#",
                                        "#..##.....#", "#..#.#....#", "#..#.#....#", "#..##.....#",
                                        "#.........#", "#.........#", "#.........#", "###########"};
    EXPECT_EQ(boxRows(picture, 21, 40, 11, 12), b);
    EXPECT_EQ(drawn.labelsAsKey, 1);
    EXPECT_EQ(boxRows(picture, 0, 0, 154, 1), std::vector<std::string>{std::string(154, '.')});
    // High density: every figure doubled, the outline 2 pixels wide.
    const KeyboardPicture& high = *drawn.pictures.highDensity;
    EXPECT_EQ(boxRows(high, 2, 2, 22, 2), std::vector<std::string>(2, std::string(22, '#')));
    EXPECT_EQ(boxRows(high, 2, 4, 2, 20), std::vector<std::string>(20, "##"));
}

// Every example's pictures and, for the sample's rows, a source without a
// key map.
TEST(KeyboardDrawing, EachBoxHoldsItsKeyDrawnAloneAndTheFileReadsBack) {
    if (!fontsInstalled()) GTEST_SKIP() << "fonts-misaki or unifont not installed";
    useMabrelMessages();
    std::vector<InputMethod> methods;
    for (const char* name : {"pinyin.txt", "shapes.txt", "kana.txt"}) {
        CMabrel mabrel;
        mabrel.drawPictures = true;
        ASSERT_EQ(readKeyboardSections(mabrel, (std::string(EXAMPLES_DIR) + "/" + name).c_str()),
                  0);
        methods.push_back(mabrel.im);
        methods.back().keyMap.reset();
        methods.push_back(std::move(mabrel.im));
    }
    for (const InputMethod& im : methods) {
        const DrawnKeyboard drawn = drawKeyboard(im, true);
        const std::vector<KeyLabel> keys = keyLabels(im);
        GlyphSet glyphs[2];
        ASSERT_EQ(loadStandardGlyphs(labelCharacters(keys), glyphs[0]), "");
        ASSERT_EQ(loadHighDensityGlyphs(labelCharacters(keys), glyphs[1]), "");
        for (const int scale : {1, 2}) {
            const KeyboardPicture& picture =
                scale == 1 ? drawn.pictures.standard : *drawn.pictures.highDensity;
            KeyboardPicture outside = picture;
            for (const KeyLabel& key : keys) {
                const int left = keyBoxLeft(key, scale), top = keyBoxTop(key, scale);
                const int width = kKeyBoxWidth * scale, height = kKeyBoxHeight * scale;
                std::vector<bool> asKey;
                const KeyboardPicture alone =
                    drawKeyboardPicture({key}, glyphs[scale - 1], scale, asKey);
                EXPECT_EQ(boxRows(picture, left, top, width, height),
                          boxRows(alone, left, top, width, height));
                // A label or its key inside the outline.
                const std::vector<std::string> inside = boxRows(
                    alone, left + scale, top + scale, width - 2 * scale, height - 2 * scale);
                EXPECT_NE(inside, std::vector<std::string>(inside.size(),
                                                           std::string(inside[0].size(), '.')));
                for (int y = top; y < top + height; ++y) {
                    for (int x = left; x < left + width; ++x)
                        outside.pixels[y * outside.width + x] = 0;
                }
            }
            EXPECT_EQ(outside.pixels, std::vector<uint8_t>(outside.pixels.size(), 0));
            EXPECT_EQ(decodeBmpFile(encodeBmpFile(picture), "k.bmp"), picture);
        }
    }
}

}  // namespace
