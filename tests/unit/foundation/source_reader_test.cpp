#include "foundation/source_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "foundation/key_table.h"
#include "foundation/text_helpers.h"
#include "tests/unit/foundation/test_tool.h"

namespace {

using test_tool::TempSource;

// Every line delivered by readSourceLine, with the line number after it.
std::vector<std::pair<std::string, int>> readAll(const std::string& bytes, bool skipComments) {
    TempSource source(bytes);
    SourceReader reader;
    EXPECT_TRUE(openSource(reader, source.path()));
    lineNumber = 0;
    std::vector<std::pair<std::string, int>> lines;
    std::string buffer;
    SourceText& stream = reader.stream;
    while ((skipComments ? readSourceLine(buffer, stream) : readPlainLine(buffer, stream)) !=
           nullptr) {
        lines.emplace_back(buffer, lineNumber);
    }
    return lines;
}

using Lines = std::vector<std::pair<std::string, int>>;

TEST(ReadSourceLine, SkipsCommentsButCountsThem) {
    EXPECT_EQ(readAll("a\n//c\n  \t// d\nb\n", true), (Lines{{"a\n", 1}, {"b\n", 4}}));
    EXPECT_EQ(readAll("a\n//c\n", false), (Lines{{"a\n", 1}, {"//c\n", 2}}));
}

TEST(ReadSourceLine, TextModeLineEnds) {
    EXPECT_EQ(readAll("x\r\ny\rz\nlast", true), (Lines{{"x\n", 1}, {"y\rz\n", 2}, {"last", 3}}));
    EXPECT_EQ(readAll("end\r", true), (Lines{{"end\r", 1}}));
}

TEST(ReadSourceLine, NulEndsTheTextButTheLineCounts) {
    const Lines lines = readAll(std::string("ab\0cd\nx\n", 8), true);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_STREQ(lines[0].first.c_str(), "ab");
    EXPECT_EQ(lines[1], (std::pair<std::string, int>{"x\n", 2}));
}

struct HeaderCase {
    const char* line;
    bool header;
};

TEST(TextHelpers, SectionHeaders) {
    const HeaderCase cases[] = {{"[a]", true},          {"[]", false},  {"[", false},
                                {"  \t[Text]\n", true}, {"[ab", false}, {"x[ab]", false},
                                {"[a]junk", true},      {"[]]", false}, {"", false}};
    for (const HeaderCase& c : cases) EXPECT_EQ(isSectionHeader(c.line), c.header) << c.line;
}

TEST(TextHelpers, BlankLines) {
    EXPECT_TRUE(isBlankLine(""));
    EXPECT_TRUE(isBlankLine(" \t\n"));
    EXPECT_TRUE(isBlankLine("\nx"));
    EXPECT_FALSE(isBlankLine(" x"));
    EXPECT_FALSE(isBlankLine(" \r\n"));
}

class SeekSection : public ::testing::Test {
  protected:
    void SetUp() override { test_tool::use(); }
};

TEST_F(SeekSection, FindsHeaderInAnyCaseAfterBlanks) {
    TempSource source("x\n// note\n   [TEXT] tail\nab\n");
    SourceReader reader;
    ASSERT_TRUE(openSource(reader, source.path()));
    ASSERT_TRUE(seekSection(reader, test_tool::kText));
    EXPECT_EQ(currentSection, test_tool::kText);
    EXPECT_EQ(lineNumber, 3);
    EXPECT_EQ(reader.lineBuffer, "   [TEXT] tail\n");
    std::string buffer;
    EXPECT_STREQ(readSourceLine(buffer, reader.stream), "ab\n");
}

TEST_F(SeekSection, TakesTheFirstLineStartingWithTheName) {
    TempSource source("[Rules]\n[Text]Help line\n[Text]\na b\n");
    SourceReader reader;
    ASSERT_TRUE(openSource(reader, source.path()));
    ASSERT_TRUE(seekSection(reader, test_tool::kText));
    EXPECT_EQ(lineNumber, 2);
}

TEST_F(SeekSection, MissingSectionKeepsCurrentSection) {
    TempSource source("[Rules]\nx=1\n");
    SourceReader reader;
    ASSERT_TRUE(openSource(reader, source.path()));
    ASSERT_TRUE(seekSection(reader, test_tool::kRules));
    EXPECT_FALSE(seekSection(reader, test_tool::kText));
    EXPECT_EQ(currentSection, test_tool::kRules);
    EXPECT_EQ(lineNumber, 2);
}

TEST_F(SeekSection, MessageAfterLoadNamesLastKeyLine) {
    // "[Rules]" at line 40, key lines 41 to 45, the next header at 46.
    std::string text;
    for (int i = 1; i < 40; ++i) text += "filler\n";
    text += "[Rules]\npa2=f11+f21\n//c\npe2=f11+f21\n\npe3=f11+f21+f31\n[Help]\n";
    TempSource source(text);
    SourceReader reader;
    ASSERT_TRUE(openSource(reader, source.path()));
    ASSERT_TRUE(seekSection(reader, test_tool::kRules));
    CKeyTable table;
    EXPECT_EQ(table.loadSection(reader.stream), 3);
    EXPECT_EQ(lineNumber, 45);
    testing::internal::CaptureStdout();
    report(800, "bad");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\r \r\aL45, [Rules], Message 800: bad\n");
    std::string buffer;
    EXPECT_STREQ(readSourceLine(buffer, reader.stream), "[Help]\n");
    EXPECT_EQ(lineNumber, 46);
}

TEST_F(SeekSection, CommentsBeforeNextHeaderAreGivenBackToo) {
    TempSource source("[Rules]\na=1\n// one\n// two\n[Text]\n");
    SourceReader reader;
    ASSERT_TRUE(openSource(reader, source.path()));
    ASSERT_TRUE(seekSection(reader, test_tool::kRules));
    CKeyTable table;
    EXPECT_EQ(table.loadSection(reader.stream), 1);
    EXPECT_EQ(lineNumber, 2);
    std::string buffer;
    EXPECT_STREQ(readPlainLine(buffer, reader.stream), "// one\n");
}

}  // namespace

namespace {

TEST(ReadSourceLine, EndOfStreamLeavesTheLastLineInTheBuffer) {
    TempSource source("first\nlast\n");
    SourceReader reader;
    ASSERT_TRUE(openSource(reader, source.path()));
    lineNumber = 0;
    std::string buffer;
    while (readSourceLine(buffer, reader.stream) != nullptr) {
    }
    EXPECT_EQ(buffer, "last\n");
    EXPECT_EQ(lineNumber, 2);
}

}  // namespace

namespace {

// The reading a character at a time that the bulk reading must equal.
bool referenceLine(const std::string& text, std::size_t& at, std::string& line) {
    line.clear();
    while (at < text.size()) {
        char c = text[at++];
        if (c == '\r' && at < text.size() && text[at] == '\n') {
            c = '\n';
            ++at;
        }
        line += c;
        if (c == '\n') break;
    }
    return !line.empty();
}

// Where a search from the start would stop: the first line, comments
// skipped, that starts after blanks with the name; the line count there.
int referenceSeek(const std::string& text, const char* name) {
    std::size_t at = 0;
    std::string line;
    for (int number = 1; referenceLine(text, at, line); ++number) {
        const char* start = skipBlanks(line.c_str());
        if (start[0] == '/' && start[1] == '/') continue;
        if (startsWithIgnoringCase(start, name, std::strlen(name))) return number;
    }
    return -1;
}

TEST_F(SeekSection, BulkReadingAgreesWithReadingACharacterAtATime) {
    const std::string pieces[] = {"\n",       "\r\n",
                                  "\r",       "[Text]",
                                  " [text]x", "[Rules]",
                                  "//[Text]", std::string(1, '\0'),
                                  "a",        std::string(508, 'b'),
                                  "\t"};
    std::mt19937 random(7);
    for (int trial = 0; trial < 300; ++trial) {
        std::string text;
        const int count = static_cast<int>(random() % 40);
        for (int k = 0; k < count; ++k) text += pieces[random() % std::size(pieces)];
        // A search that finds nothing leaves the text's last line read.
        int lines = 0;
        std::string lastLine;
        for (std::size_t at = 0; referenceLine(text, at, lastLine);) ++lines;
        for (std::size_t at = 0; referenceLine(text, at, lastLine) && at < text.size();) {
        }
        SourceReader reader;
        reader.stream = SourceText{text};
        for (int id : {test_tool::kRules, test_tool::kText, test_tool::kRules}) {
            const int expected = referenceSeek(text, keyName(id));
            ASSERT_EQ(seekSection(reader, id), expected > 0) << trial;
            ASSERT_EQ(lineNumber, expected > 0 ? expected : lines) << trial;
            if (expected <= 0 && lines > 0) {
                ASSERT_EQ(reader.lineBuffer, lastLine) << trial;
            }
        }
        reader.stream.position = 0;
        std::size_t at = 0;
        std::string line;
        std::string buffer;
        while (referenceLine(text, at, line)) {
            ASSERT_NE(readPlainLine(buffer, reader.stream), nullptr);
            ASSERT_EQ(buffer, line) << trial;
            ASSERT_EQ(reader.stream.position, at);
        }
        EXPECT_EQ(readPlainLine(buffer, reader.stream), nullptr);
    }
}

}  // namespace
