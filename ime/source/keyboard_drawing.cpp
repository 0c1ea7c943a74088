#include "ime/source/keyboard_drawing.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "foundation/char_sets.h"
#include "foundation/text_encoding.h"
#include "ime/source/sample_source.h"

namespace {

// The code point of a UTF-8 character that utf8Length has found whole.
char32_t utf8CodePoint(std::string_view character) {
    const auto byte = [&](std::size_t i) { return static_cast<uint8_t>(character[i]); };
    switch (character.size()) {
        case 1:
            return byte(0);
        case 2:
            return (byte(0) & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
        case 3:
            return (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
        default:
            return (byte(0) & 0x07u) << 18 | (byte(1) & 0x3Fu) << 12 | (byte(2) & 0x3Fu) << 6 |
                   (byte(3) & 0x3Fu);
    }
}

// The code points of a key value (one double-byte character, or one or two
// single bytes); empty when one of them has no Unicode form.
std::u32string pairCodePoints(const ValuePair& pair, CharSet charSet, CharSetConverter& converter) {
    std::vector<std::string> characters;
    const std::string bytes{static_cast<char>(pair.first), static_cast<char>(pair.second)};
    if (pair.second == 0) {
        characters.push_back(bytes.substr(0, 1));
    } else if (isLeadByte(charSet, pair.first)) {
        characters.push_back(bytes);
    } else {
        characters = {bytes.substr(0, 1), bytes.substr(1)};
    }
    std::u32string text;
    for (const std::string& character : characters) {
        const std::string utf8 = converter.toUtf8(character);
        if (utf8.empty() || utf8Length(utf8) != static_cast<int>(utf8.size())) return {};
        text += utf8CodePoint(utf8);
    }
    return text;
}

// The label of a key: for a key of UsedCodes, its display code when the
// input method has them.
ValuePair labelPair(const InputMethod& im, const ValuePair& key) {
    if (key.second != 0 || im.displayCodes.empty()) return key;
    const std::size_t at = im.usedCodes.find(static_cast<char>(key.first));
    return at == std::string::npos ? key : im.displayCodes[at];
}

// Paints `glyph` with its top left corner at (left, top).
void paintGlyph(KeyboardPicture& picture, const Glyph& glyph, int left, int top) {
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            if (glyph.pixels[y * glyph.width + x] == 0) continue;
            picture.pixels[(top + y) * picture.width + left + x] = 1;
        }
    }
}

void paintOutline(KeyboardPicture& picture, int left, int top, int scale) {
    const int width = kKeyBoxWidth * scale;
    const int height = kKeyBoxHeight * scale;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            const bool inside = x >= left + scale && x < left + width - scale && y >= top + scale &&
                                y < top + height - scale;
            if (!inside) picture.pixels[y * picture.width + x] = 1;
        }
    }
}

}  // namespace

std::vector<KeyLabel> keyLabels(const InputMethod& im) {
    const KeyMapRows rows = im.keyMap ? *im.keyMap : sampleKeyMap();
    CharSetConverter converter(im.charSet);
    std::vector<KeyLabel> keys;
    for (int row = 0; row < kKeyMapRowCount; ++row) {
        for (int column = 0; column < kKeyMapRowKeys; ++column) {
            const ValuePair& key = rows[row][column];
            if (key == ValuePair{}) continue;
            keys.push_back({row, column, pairCodePoints(labelPair(im, key), im.charSet, converter),
                            pairCodePoints(key, im.charSet, converter)});
        }
    }
    return keys;
}

std::set<char32_t> labelCharacters(const std::vector<KeyLabel>& keys) {
    std::set<char32_t> characters;
    for (const KeyLabel& key : keys) {
        characters.insert(key.label.begin(), key.label.end());
        characters.insert(key.key.begin(), key.key.end());
    }
    return characters;
}

int keyBoxLeft(const KeyLabel& key, int scale) {
    return (1 + kKeyRowStagger[key.row] + key.column * (kKeyBoxWidth + kKeyGap)) * scale;
}

int keyBoxTop(const KeyLabel& key, int scale) {
    return (1 + key.row * (kKeyBoxHeight + kKeyGap)) * scale;
}

std::optional<Glyph> labelGlyph(const std::u32string& text, const GlyphSet& glyphs, int scale) {
    if (text.empty()) return std::nullopt;
    std::vector<const Glyph*> parts;
    int width = 0;
    for (const char32_t character : text) {
        const auto found = glyphs.find(character);
        if (found == glyphs.end()) return std::nullopt;
        parts.push_back(&found->second);
        width += found->second.width;
    }
    const int height = parts.front()->height;
    if (width > (kKeyBoxWidth - 2) * scale || height > (kKeyBoxHeight - 2) * scale) {
        return std::nullopt;
    }
    Glyph label{width, height, std::vector<uint8_t>(static_cast<std::size_t>(width * height), 0)};
    int left = 0;
    for (const Glyph* part : parts) {
        for (int y = 0; y < std::min(height, part->height); ++y) {
            for (int x = 0; x < part->width; ++x) {
                label.pixels[y * width + left + x] = part->pixels[y * part->width + x];
            }
        }
        left += part->width;
    }
    return label;
}

KeyboardPicture drawKeyboardPicture(const std::vector<KeyLabel>& keys, const GlyphSet& glyphs,
                                    int scale, std::vector<bool>& asKey) {
    KeyboardPicture picture{kKeyboardPictureWidth * scale, kKeyboardPictureHeight * scale, {}};
    picture.pixels.assign(static_cast<std::size_t>(picture.width * picture.height), 0);
    asKey.resize(keys.size(), false);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int left = keyBoxLeft(keys[i], scale);
        const int top = keyBoxTop(keys[i], scale);
        paintOutline(picture, left, top, scale);
        std::optional<Glyph> glyph = labelGlyph(keys[i].label, glyphs, scale);
        if (!glyph) {
            asKey[i] = true;
            glyph = labelGlyph(keys[i].key, glyphs, scale);
        }
        if (!glyph) continue;
        paintGlyph(picture, *glyph, left + (kKeyBoxWidth * scale - glyph->width) / 2,
                   top + (kKeyBoxHeight * scale - glyph->height) / 2);
    }
    return picture;
}
