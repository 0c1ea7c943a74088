// The glyphs the keyboard pictures are drawn with, from Debian's fonts and
// without anti-aliasing: misaki's 8-pixel gothic (fonts-misaki, read through
// FreeType, which is loaded only here) for the standard picture, and GNU
// Unifont's 16-pixel glyphs (unifont, its .hex file) for the high-density
// one.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// One glyph in its cell: its advance wide and the font's height high, top
// row first, 1 for ink and 0 for paper.
struct Glyph {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    bool operator==(const Glyph&) const = default;
};

// The glyphs of one font by code point; a character it lacks is absent.
using GlyphSet = std::map<char32_t, Glyph>;

inline constexpr int kStandardGlyphHeight = 8;
inline constexpr int kHighDensityGlyphHeight = 16;

inline constexpr char kMisakiFontFile[] = "/usr/share/fonts/truetype/misaki/misaki_gothic.ttf";
inline constexpr char kUnifontFile[] = "/usr/share/unifont/unifont.hex";
inline constexpr char kFreeTypeLibrary[] = "libfreetype.so.6";

// The glyphs of `wanted` in the 8-pixel font into `glyphs`. Returns the name
// of the font file or library that cannot be had, or an empty text.
std::string loadStandardGlyphs(const std::set<char32_t>& wanted, GlyphSet& glyphs);

// The same with the 16-pixel font.
std::string loadHighDensityGlyphs(const std::set<char32_t>& wanted, GlyphSet& glyphs);

// The glyphs of `wanted` that the lines of a .hex font give (a code point in
// hexadecimal, ":", then 16 rows of 8 or 16 pixels in hexadecimal).
void readHexGlyphs(std::string_view font, const std::set<char32_t>& wanted, GlyphSet& glyphs);
