#include "foundation/utf8_source.h"

#include <gtest/gtest.h>

#include "foundation/text_encoding.h"
#include "tests/unit/foundation/test_tool.h"

namespace {

const SectionUse kSections[] = {{test_tool::kDescription, LineUse::kKeys, false, false},
                                {test_tool::kRules, LineUse::kKeys, false, false},
                                {test_tool::kText, LineUse::kCodes, true, false}};
const Utf8Reading kReading = {test_tool::kDescription,
                              kSections,
                              {907, "Character \"%s\" can't be written in %s, left out"},
                              {0, "%d characters can't be written in %s and were left out"},
                              false,
                              {}};

struct Converted {
    int rc;
    std::string text;
    std::string output;
};

Converted convert(const std::string& source) {
    test_tool::use();
    SourceReader reader;
    reader.stream = SourceText{source};
    testing::internal::CaptureStdout();
    const int rc = readUtf8Source(reader, kReading);
    return {rc, reader.stream.bytes, testing::internal::GetCapturedStdout()};
}

std::string message(int line, const char* section, int code, const std::string& text) {
    return "\r \r\aL" + std::to_string(line) + ", " + section + ", Message " +
           std::to_string(code) + ": " + text + "\n";
}

const std::string kHead = "[Description]\nCharSet=ChineseGB\n";

TEST(Utf8Source, ReadsAsTheCharSetWhatSaysItIsUtf8) {
    const struct {
        const char* name;
        std::string source;
        std::string text;
    } cases[] = {
        {"no mark, no key: as it is", kHead + "[Text]\na \xC4\xE3\n",
         kHead + "[Text]\na \xC4\xE3\n"},
        {"byte-order mark", "\xEF\xBB\xBF" + kHead + "[Text]\na 你\n",
         kHead + "[Text]\na \xC4\xE3\n"},
        {"the key, in any case", kHead + "Encoding=utf8\n[Text]\na 你 ※\n",
         kHead + "Encoding=utf8\n[Text]\na \xC4\xE3 \xA1\xF9\n"},
        {"a mark but no CharSet: only the mark goes", "\xEF\xBB\xBF[Description]\n[Text]\na 你\n",
         "[Description]\n[Text]\na 你\n"},
        {"comments and unread lines drop what they cannot hold",
         kHead + "Encoding=UTF-8\n// ♪ 你\n[Other]\n♪\n",
         kHead + "Encoding=UTF-8\n//  \xC4\xE3\n[Other]\n\n"},
    };
    for (const auto& c : cases) {
        const Converted run = convert(c.source);
        EXPECT_EQ(run.rc, 0) << c.name;
        EXPECT_EQ(run.text, c.text) << c.name;
        EXPECT_EQ(run.output, "") << c.name;
    }
}

TEST(Utf8Source, CodeLinesLeaveOutWhatTheCharSetCannotHold) {
    std::string source = kHead + "Encoding=UTF-8\n[Text]\nab 你冃\nc 镕\n";
    for (int i = 0; i < 10; ++i) source += "d 龍\n";
    const Converted run = convert(source);
    EXPECT_EQ(run.rc, 0);
    // "c" loses its one character and so its line; the lines keep their places.
    EXPECT_EQ(run.text, kHead + "Encoding=UTF-8\n[Text]\nab \xC4\xE3\n" + std::string(11, '\n'));
    std::string expected =
        message(5, "[Text]", 907, "Character \"冃\" can't be written in ChineseGB, left out") +
        message(6, "[Text]", 907, "Character \"镕\" can't be written in ChineseGB, left out");
    for (int line = 7; line < 15; ++line) {
        expected += message(line, "[Text]", 907,
                            "Character \"龍\" can't be written in ChineseGB, left out");
    }
    EXPECT_EQ(run.output,
              expected + "\r \r12 characters can't be written in ChineseGB and were left out\n");
}

// In the code the line goes, among the characters the character, after them nothing is said.
TEST(Utf8Source, CodeLinesAsTheReadingWalksThem) {
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"a😀b 你\n", "\n", true},
        {"ab 你😀好\n", "ab \xC4\xE3\xBA\xC3\n", true},
        {"ab 你 x😀\n", "ab \xC4\xE3 x\n", false}};
    for (const auto& [line, text, named] : cases) {
        const Converted run = convert(kHead + "Encoding=UTF-8\n[Text]\n" + line);
        EXPECT_EQ(run.text, kHead + "Encoding=UTF-8\n[Text]\n" + text) << line;
        EXPECT_EQ(run.output.empty(), !named) << line;
    }
}

TEST(Utf8Source, OtherLinesStopTheRun) {
    const Converted key = convert(kHead + "Encoding=UTF-8\nName=冃\n[Text]\n");
    EXPECT_EQ(key.rc, 907);
    EXPECT_EQ(key.output,
              message(4, "[Description]", 907, "Character \"冃\" can't be written in ChineseGB"));
    const Converted bad = convert(kHead + "Encoding=UTF-8\n[Rules]\npa2=\xC4\xE3\n");
    EXPECT_EQ(bad.rc, 908);
    EXPECT_EQ(bad.output, message(5, "[Rules]", 908, "Line is not UTF-8 text"));
}

TEST(Utf8Source, LineNumbersCountTheConvertedLines) {
    std::string line;
    for (int i = 0; i < 300; ++i) line += "你";
    const Converted run = convert(kHead + "Encoding=UTF-8\n[Text]\n" + line + "\na 冃\n");
    EXPECT_EQ(run.output.substr(0, 12), "\r \r\aL6, [Tex");
}

TEST(TextEncoding, CharactersAndTexts) {
    CharSetConverter gbk(kChineseGBK);
    EXPECT_EQ(gbk.fromUtf8("冃"), "\x83\xD0");
    EXPECT_EQ(gbk.fromUtf8("♪"), "");
    EXPECT_EQ(gbk.toUtf8("\x83\xD0"), "冃");
    std::vector<std::string> unwritable;
    EXPECT_EQ(gbk.textToUtf8("a\xC4\xE3\n", &unwritable), "a你\n");
    EXPECT_EQ(gbk.textToUtf8("x\xA1\x7F", &unwritable), "x<A1>\x7F");
    EXPECT_EQ(unwritable, (std::vector<std::string>{"A1"}));
    EXPECT_EQ(CharSetConverter(kChineseBIG5).toUtf8("\xC6\xCF"), "\xEF\x9B\x9F");
    // CP932 gives these two pairs one UTF-8 form, which comes back as the other.
    CharSetConverter sjis(kJapaneseSJIS);
    EXPECT_TRUE(sjis.toUtf8("\xED\x40").empty() || sjis.toUtf8("\xFA\x5C").empty());
    EXPECT_EQ(utf8Length("\xC0\x80"), 0);      // overlong
    EXPECT_EQ(utf8Length("\xED\xA0\x80"), 0);  // surrogate
    EXPECT_EQ(utf8Length("\xF0\x9F\x98\x80"), 4);
}

}  // namespace
