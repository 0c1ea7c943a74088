#include "ime/source/keyboard_fonts.h"

#include <dlfcn.h>
#include <ft2build.h>
#include <sys/stat.h>
#include FT_FREETYPE_H

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/input_file.h"
#include "foundation/text_helpers.h"
#include "ime/source/hex_font_file.h"

namespace {

// The functions of FreeType that the drawing calls, found by name in the
// library loaded the first time an 8-pixel glyph is wanted.
struct FreeTypeFunctions {
    decltype(&FT_Init_FreeType) initFreeType = nullptr;
    decltype(&FT_Done_FreeType) doneFreeType = nullptr;
    decltype(&FT_New_Memory_Face) newMemoryFace = nullptr;
    decltype(&FT_Done_Face) doneFace = nullptr;
    decltype(&FT_Set_Pixel_Sizes) setPixelSizes = nullptr;
    decltype(&FT_Get_Char_Index) charIndex = nullptr;
    decltype(&FT_Load_Glyph) loadGlyph = nullptr;
};

// Sets `function` to the library's function `name`; false when it has none.
template <class Function>
bool takeFreeTypeFunction(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

FreeTypeFunctions loadFreeType() {
    FreeTypeFunctions f;
    void* handle = dlopen(kFreeTypeLibrary, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return f;
    int missing = 0;
    missing += takeFreeTypeFunction(handle, "FT_Done_FreeType", f.doneFreeType) ? 0 : 1;
    missing += takeFreeTypeFunction(handle, "FT_New_Memory_Face", f.newMemoryFace) ? 0 : 1;
    missing += takeFreeTypeFunction(handle, "FT_Done_Face", f.doneFace) ? 0 : 1;
    missing += takeFreeTypeFunction(handle, "FT_Set_Pixel_Sizes", f.setPixelSizes) ? 0 : 1;
    missing += takeFreeTypeFunction(handle, "FT_Get_Char_Index", f.charIndex) ? 0 : 1;
    missing += takeFreeTypeFunction(handle, "FT_Load_Glyph", f.loadGlyph) ? 0 : 1;
    // The first function stands for all of them: set only when none is missing.
    if (missing == 0) takeFreeTypeFunction(handle, "FT_Init_FreeType", f.initFreeType);
    return f;
}

const FreeTypeFunctions* loadedFreeType() {
    static const FreeTypeFunctions functions = loadFreeType();
    return functions.initFreeType != nullptr ? &functions : nullptr;
}

// The glyph FreeType rendered in one bit a pixel, set in its cell: the
// advance wide, from the ascender to the descender high.
Glyph misakiCell(const FT_Face face) {
    const FT_GlyphSlot slot = face->glyph;
    const int ascender = static_cast<int>(face->size->metrics.ascender >> 6);
    Glyph glyph{static_cast<int>(slot->advance.x >> 6), kStandardGlyphHeight, {}};
    glyph.pixels.assign(static_cast<std::size_t>(glyph.width * glyph.height), 0);
    const FT_Bitmap& bitmap = slot->bitmap;
    for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
        const int y = ascender - slot->bitmap_top + row;
        for (int column = 0; column < static_cast<int>(bitmap.width); ++column) {
            const int x = slot->bitmap_left + column;
            const uint8_t byte = bitmap.buffer[row * bitmap.pitch + column / 8];
            if (y < 0 || y >= glyph.height || x < 0 || x >= glyph.width) continue;
            if ((byte >> (7 - column % 8) & 1) != 0) glyph.pixels[y * glyph.width + x] = 1;
        }
    }
    return glyph;
}

// One glyph of 16 rows from its hexadecimal digits: 32 of them for 8 pixels
// a row, 64 for 16; nothing for another count or a stray character.
bool unifontGlyph(std::string_view digits, Glyph& glyph) {
    if (digits.size() != 32 && digits.size() != 64) return false;
    glyph.height = kHighDensityGlyphHeight;
    glyph.width = static_cast<int>(digits.size()) / 4;
    glyph.pixels.clear();
    for (const char c : digits) {
        const int value = hexDigitValue(c);
        if (value < 0) return false;
        for (int bit = 3; bit >= 0; --bit) glyph.pixels.push_back(value >> bit & 1);
    }
    return true;
}

// The glyph of one line of a .hex font whose code point is `character`:
// taken when its digits make one, in place of any taken before.
void takeHexGlyph(std::string_view line, char32_t character, GlyphSet& glyphs) {
    std::string_view digits = line.substr(line.find(':') + 1);
    if (!digits.empty() && digits.back() == '\r') digits.remove_suffix(1);
    Glyph glyph;
    if (unifontGlyph(digits, glyph)) glyphs[character] = std::move(glyph);
}

}  // namespace

std::string loadStandardGlyphs(const std::set<char32_t>& wanted, GlyphSet& glyphs) {
    std::vector<uint8_t> font;
    if (readWholeFile(kMisakiFontFile, font) != FileRead::kRead) return kMisakiFontFile;
    const FreeTypeFunctions* ft = loadedFreeType();
    if (ft == nullptr) return kFreeTypeLibrary;
    FT_Library library = nullptr;
    if (ft->initFreeType(&library) != 0) return kFreeTypeLibrary;
    const auto closeLibrary = [ft](FT_Library opened) { ft->doneFreeType(opened); };
    const std::unique_ptr<FT_LibraryRec_, decltype(closeLibrary)> libraryHeld(library,
                                                                              closeLibrary);
    FT_Face face = nullptr;
    if (ft->newMemoryFace(library, font.data(), static_cast<FT_Long>(font.size()), 0, &face) != 0 ||
        ft->setPixelSizes(face, 0, kStandardGlyphHeight) != 0) {
        if (face != nullptr) ft->doneFace(face);
        return kMisakiFontFile;
    }
    for (const char32_t character : wanted) {
        const FT_UInt index = ft->charIndex(face, character);
        if (index == 0 ||
            ft->loadGlyph(face, index, FT_LOAD_RENDER | FT_LOAD_MONOCHROME | FT_LOAD_TARGET_MONO) !=
                0 ||
            face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
            continue;
        }
        glyphs[character] = misakiCell(face);
    }
    ft->doneFace(face);
    return {};
}

void readHexGlyphs(std::string_view font, const std::set<char32_t>& wanted, GlyphSet& glyphs) {
    std::size_t start = 0;
    if (wanted.empty()) return;
    const char32_t lowest = *wanted.begin();
    const char32_t highest = *wanted.rbegin();
    while (start < font.size()) {
        std::size_t end = font.find('\n', start);
        if (end == std::string::npos) end = font.size();
        const std::string_view line(font.data() + start, end - start);
        start = end + 1;
        char32_t character = 0;
        if (!hexLineCharacter(line, character) || character < lowest || character > highest ||
            !wanted.contains(character)) {
            continue;
        }
        takeHexGlyph(line, character, glyphs);
    }
}

// The lines wanted are looked for in the font (4 MB) where its lines are in
// order; else it is read in pieces of whole lines: an import draws its
// pictures while its code table is held.
std::string loadHighDensityGlyphs(const std::set<char32_t>& wanted, GlyphSet& glyphs) {
    const FileHandle file = openInputFile(kUnifontFile);
    if (!file) return kUnifontFile;
    struct stat status {};
    if (fstat(fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode)) {
        HexFontFile font(file.get(), static_cast<std::size_t>(status.st_size));
        const auto take = [&](std::string_view line) {
            char32_t character = 0;
            hexLineCharacter(line, character);
            takeHexGlyph(line, character, glyphs);
        };
        if (font.forEachLineOf(wanted, take)) return {};
    }
    constexpr std::size_t kPieceBytes = 64 * 1024;
    constexpr std::size_t kLongestLine = 4096;  // a glyph line holds at most 70
    // Each piece is read after the part line the last one ended with, into
    // room that is kept from piece to piece.
    std::vector<char> room;
    std::size_t held = 0;
    while (true) {
        if (room.size() < held + kPieceBytes) room.resize(held + kPieceBytes);
        const std::size_t got = std::fread(room.data() + held, 1, kPieceBytes, file.get());
        if (got == 0) break;
        const std::string_view lines(room.data(), held + got);
        const std::size_t lastEnd = lines.rfind('\n');
        if (lastEnd == std::string_view::npos) {
            held = lines.size() > kLongestLine ? 0 : lines.size();
            continue;
        }
        readHexGlyphs(lines.substr(0, lastEnd + 1), wanted, glyphs);
        held = lines.size() - (lastEnd + 1);
        std::memmove(room.data(), room.data() + lastEnd + 1, held);
    }
    if (std::ferror(file.get())) return kUnifontFile;
    readHexGlyphs(std::string_view(room.data(), held), wanted, glyphs);
    return {};
}
