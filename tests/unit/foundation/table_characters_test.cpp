#include "foundation/desktop_tables/table_characters.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string utf8Of(char32_t point) {
    std::string text;
    if (point < 0x800) {
        text += static_cast<char>(0xC0 | point >> 6);
    } else if (point < 0x10000) {
        text += static_cast<char>(0xE0 | point >> 12);
        text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | point >> 18);
        text += static_cast<char>(0x80 | (point >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
    }
    text += static_cast<char>(0x80 | (point & 0x3F));
    return text;
}

// What iconv itself says of one character: the set's double-byte character
// that writes it and comes back to a UTF-8 form, else 0.
DoubleByteCharacter askedOfIconv(CharSetConverter& converter, CharSet charSet,
                                 const std::string& text) {
    const std::string bytes = converter.fromUtf8Uncached(text);
    if (bytes.size() != 2 || !startsWithDoubleByteChar(charSet, bytes.data(), 2)) return {};
    if (converter.toUtf8(bytes).empty()) return {};
    return DoubleByteCharacter::of(bytes.data());
}

// Every code point (at a stride that visits every block) gets the answer
// iconv gives, also where the table answers without asking it.
TEST(TableCharacters, AnswersAsIconvForCodePointsOfEveryPlane) {
    for (const CharSetEntry& entry : kCharSetTable) {
        TableCharacters set(entry.id);
        CharSetConverter converter(entry.id);
        for (char32_t point = 0x80; point < 0x110000; point += 5) {
            if (point >= 0xD800 && point < 0xE000) continue;
            const std::string text = utf8Of(point);
            ASSERT_EQ(set.bytesOf(text, static_cast<int>(text.size())).packed,
                      askedOfIconv(converter, entry.id, text).packed)
                << entry.name << " U+" << std::hex << static_cast<uint32_t>(point);
        }
    }
}

}  // namespace
