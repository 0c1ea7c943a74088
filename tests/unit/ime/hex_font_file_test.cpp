// The glyph lines found in a .hex font by halving it are those a reading of
// every line finds: on generated fonts in order, with repeated, foreign and
// carriage-return lines, and on the installed Unifont; out of order, lines
// of the characters wanted or nothing.
#include "ime/source/hex_font_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>

#include "foundation/input_file.h"
#include "ime/source/keyboard_fonts.h"

namespace {

// Every line of `font` whose code point is wanted, in the file's order.
std::vector<std::string> linesReadThrough(const std::string& font,
                                          const std::set<char32_t>& wanted) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < font.size();) {
        const std::size_t end = std::min(font.find('\n', start), font.size());
        const std::string line = font.substr(start, end - start);
        char32_t character = 0;
        if (hexLineCharacter(line, character) && wanted.contains(character)) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

TEST(HexFontFile, FindsTheLinesAReadingThroughFinds) {
    std::mt19937 random(7);
    const auto below = [&](unsigned n) { return random() % n; };
    const std::filesystem::path name = std::filesystem::temp_directory_path() / "hex_font_test.hex";
    for (int round = 0; round < 300; ++round) {
        const bool ordered = round % 3 != 0;
        std::string font;
        std::set<char32_t> wanted;
        char32_t character = below(50);
        for (unsigned lines = below(round < 20 ? 5 : 2000); lines-- > 0;) {
            character = ordered ? character + below(4) : below(5000);
            char code[16];
            std::snprintf(code, sizeof code, below(2) ? "%04X" : "%X", character);
            const unsigned kind = below(40);
            font += kind == 0 ? std::string("# a remark") : kind == 1 ? "XYZ:00" : code;
            font += ':' + std::string(below(3) ? 32 : 64, "0123456789ABCDEF"[below(16)]);
            font += kind == 2 ? "\r\n" : "\n";
            if (below(8) == 0) wanted.insert(character);
        }
        if (!font.empty() && below(2)) font.pop_back();  // a last line without its line feed
        for (int k = 0; k < 5; ++k) wanted.insert(below(5100));
        std::FILE* file = std::fopen(name.c_str(), "wb");
        std::fwrite(font.data(), 1, font.size(), file);
        std::fclose(file);
        const FileHandle opened = openInputFile(name.c_str());
        HexFontFile hex(opened.get(), font.size());
        std::vector<std::string> found;
        const bool searched =
            hex.forEachLineOf(wanted, [&](std::string_view line) { found.emplace_back(line); });
        const std::vector<std::string> expected = linesReadThrough(font, wanted);
        const bool foreign = font.find_first_of("#X") != std::string::npos;
        EXPECT_TRUE(searched || found.empty()) << round;
        EXPECT_TRUE(searched || foreign || !ordered) << round;
        if (ordered && searched) {
            EXPECT_EQ(found, expected) << round;
        }
        for (const std::string& line : found) {  // out of order: lines of wanted characters
            EXPECT_NE(std::find(expected.begin(), expected.end(), line), expected.end());
        }
    }
    std::filesystem::remove(name);
}

TEST(HexFontFile, UnifontGivesTheGlyphsOfItsWholeReading) {
    if (!std::filesystem::exists(kUnifontFile)) GTEST_SKIP() << "unifont not installed";
    std::string font;
    ASSERT_EQ(readWholeFile(kUnifontFile, font), FileRead::kRead);
    std::mt19937 random(11);
    for (int round = 0; round < 30; ++round) {
        std::set<char32_t> wanted;
        for (unsigned k = random() % 60 + 1; k-- > 0;) {
            wanted.insert(k % 3 == 0 ? 0x20 + random() % 0x60
                                     : random() % (k % 2 ? 0x10000 : 0x30000));
        }
        GlyphSet searched;
        GlyphSet read;
        ASSERT_EQ(loadHighDensityGlyphs(wanted, searched), "");
        readHexGlyphs(font, wanted, read);
        EXPECT_EQ(searched, read) << round;
    }
}

}  // namespace
