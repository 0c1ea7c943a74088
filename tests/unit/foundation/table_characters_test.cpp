#include "foundation/desktop_tables/table_characters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string utf8Of(char32_t point) {
    std::string text;
    appendUtf8(point, text);
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
        CharSetConverter converter(entry.id, false);
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

// The mappings asked for many characters at once (as the CharSets' tables
// are made) answer as asked one by one, in every set, whichever of them fail.
TEST(TableCharacters, MappingsAskedAtOnceAnswerAsOneByOne) {
    for (const CharSetEntry& entry : kCharSetTable) {
        std::vector<std::string> texts;
        for (char32_t point = 0x81; point < 0x30000; point += point < 0x10000 ? 3 : 11) {
            if (point < 0xD800 || point >= 0xE000) texts.push_back(utf8Of(point));
        }
        CharSetConverter converter(entry.id, false);
        std::vector<uint16_t> packed;
        converter.doubleBytesOf({texts.begin(), texts.end()}, packed);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const std::string alone = converter.fromUtf8Uncached(texts[i]);
            ASSERT_EQ(packed[i], alone.size() == 2 ? DoubleByteCharacter::of(alone.data()).packed
                                                   : uint16_t{0})
                << entry.name << " " << texts[i];
        }
    }
}
