// The keyboard pictures drawn from an input method: its key map (or, without
// one, the rows of the /c sample), each key labelled with what it gives.
//
// The geometry, in pixels of the standard picture (154 x 54); the
// high-density picture (308 x 108) doubles every figure, the outlines too:
//
//   key k of row r (both from 0)  a black outline 1 pixel wide around a box
//                                 11 wide and 12 high, white inside
//   its left edge                 1 + stagger(r) + 12 k, stagger 0, 3, 5, 8
//   its top edge                  1 + 13 r
//   its label                     the glyphs side by side, centred in the
//                                 box (leftover pixels go right and below)
//
// A key is drawn for each value of the key map that is not zero. Its label
// is, for a key of UsedCodes, its display code (DispalyCodes), else the key
// itself; for another value, the value. A label whose characters a font
// lacks, or that does not fit inside the outline, is drawn as the key
// itself, and the key is counted.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ime/input_method.h"
#include "ime/source/keyboard_fonts.h"

inline constexpr int kKeyboardPictureWidth = 154;
inline constexpr int kKeyboardPictureHeight = 54;
inline constexpr int kKeyBoxWidth = 11;
inline constexpr int kKeyBoxHeight = 12;
inline constexpr int kKeyGap = 1;
inline constexpr int kKeyRowStagger[kKeyMapRowCount] = {0, 3, 5, 8};

// One key to draw: where it stands, its label and the key itself, as code
// points.
struct KeyLabel {
    int row = 0;
    int column = 0;
    std::u32string label;
    std::u32string key;
};

// The keys of the input method's key map, or of the sample's.
std::vector<KeyLabel> keyLabels(const InputMethod& im);

// Every code point the labels and keys need.
std::set<char32_t> labelCharacters(const std::vector<KeyLabel>& keys);

// The top left corner of a key's box at `scale` (1 or 2).
int keyBoxLeft(const KeyLabel& key, int scale);
int keyBoxTop(const KeyLabel& key, int scale);

// The glyphs of `text` in `glyphs`, side by side, if every one is there and
// together they fit inside a key's outline at `scale`.
std::optional<Glyph> labelGlyph(const std::u32string& text, const GlyphSet& glyphs, int scale);

// One picture at `scale`; `asKey` gets a mark for each key (by its index in
// `keys`) drawn as the key itself.
KeyboardPicture drawKeyboardPicture(const std::vector<KeyLabel>& keys, const GlyphSet& glyphs,
                                    int scale, std::vector<bool>& asKey);
