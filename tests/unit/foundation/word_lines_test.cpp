#include <gtest/gtest.h>

#include <string>

#include "foundation/desktop_tables/table_reader.h"
#include "tests/support/files.h"

namespace {

using namespace test_support;

struct WordLine {
    const char* line;
    const char* word;  // nullptr: no entry
    double weight;
};

// Words of 1 to 9 bytes and of hanzi, so that a blank falls at every place
// of an eight-byte step; weights as digits, percentages, long numbers, or
// in a later column.
const WordLine kLines[] = {
    {"ab\t12", "ab", 12},
    {"abcdefg 7", "abcdefg", 7},
    {"abcdefgh\t8", "abcdefgh", 8},
    {"abcdefghi  9", "abcdefghi", 9},
    {"  \t中文 123456", "中文", 123456},
    {"中文字词语\t3\r", "中文字词语", 3},
    {"词语 x 5", "词语", 5},
    {"词语 1.5 6", "词语", 6},
    {"词语 12%", "词语", 12},
    {"词语 1234567890123456", "词语", 1234567890123456.0},
    {"词语 9x", "词语", 0},
    {"词语   ", "词语", 0},
    {"# 词语 4", nullptr, 0},
    {"   ", nullptr, 0},
};

TEST(WordLines, EachLineGivesItsWordAndWeight) {
    std::string text;
    for (const WordLine& line : kLines) text += std::string(line.line) + "\n";
    ScratchDir dir;
    writeFile(dir / "words.txt", text);
    DesktopTable table;
    const std::string name = (dir / "words.txt").string();
    ASSERT_EQ(readWordList(name.c_str(), {0}, table), 0);
    std::size_t entry = 0;
    for (const WordLine& line : kLines) {
        if (line.word == nullptr) continue;
        ASSERT_LT(entry, table.entries.size()) << line.line;
        EXPECT_EQ(table.text(table.entries[entry]), line.word) << line.line;
        EXPECT_EQ(table.weight(static_cast<uint32_t>(entry)), line.weight) << line.line;
        ++entry;
    }
    EXPECT_EQ(entry, table.entries.size());
}

}  // namespace
