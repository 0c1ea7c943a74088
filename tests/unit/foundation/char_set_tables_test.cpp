#include "foundation/char_set_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/text_encoding.h"

namespace {

// The tables answer as the mappings do: every double-byte character read,
// and code points of every block written, one by one and many at once.
TEST(CharSetTables, AnswerAsTheMappings) {
    for (const CharSetEntry& entry : kCharSetTable) {
        ASSERT_NE(charSetTable(entry.id), nullptr) << entry.name;
        CharSetConverter tables(entry.id);
        CharSetConverter mappings(entry.id, false);
        for (int index = 256; index < indexCount(entry.id); ++index) {
            char bytes[3] = {};
            if (indexToChar(entry.id, static_cast<unsigned>(index), bytes, sizeof bytes) != 2) {
                continue;
            }
            ASSERT_EQ(tables.toUtf8({bytes, 2}), mappings.toUtf8({bytes, 2}))
                << entry.name << " index " << index;
        }
        std::vector<uint16_t> characters{0, 0x4142};  // and two pairs that are none
        for (int index = 256; index < indexCount(entry.id); ++index) {
            char bytes[3] = {};
            if (indexToChar(entry.id, static_cast<unsigned>(index), bytes, sizeof bytes) == 2) {
                characters.push_back(DoubleByteCharacter::of(bytes).packed);
            }
        }
        std::vector<bool> backByTables, backByMappings;
        tables.writeBack(characters, backByTables);
        mappings.writeBack(characters, backByMappings);
        EXPECT_EQ(backByTables, backByMappings) << entry.name;
        std::vector<std::string> forms;
        for (char32_t point = 0x80; point < 0x110000; point += point < 0x10000 ? 3 : 61) {
            if (point >= 0xD800 && point < 0xE000) continue;
            forms.emplace_back();
            appendUtf8(point, forms.back());
            ASSERT_EQ(tables.fromUtf8(forms.back()), mappings.fromUtf8Uncached(forms.back()))
                << entry.name << " U+" << std::hex << static_cast<uint32_t>(point);
        }
        // Text that is not one character is asked of the mappings.
        forms.insert(forms.end(), {"\xE4\xB8", "ab", "\xE4\xB8\xAD\xE6\x96\x87", "\x80"});
        const std::vector<std::string_view> views(forms.begin(), forms.end());
        std::vector<uint16_t> fromTables, fromMappings;
        tables.doubleBytesOf(views, fromTables);
        mappings.doubleBytesOf(views, fromMappings);
        EXPECT_EQ(fromTables, fromMappings) << entry.name;
    }
}

}  // namespace
