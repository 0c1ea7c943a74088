#include <string_view>
#include <vector>

#include "ime/source/code_table.h"
#include "tests/unit/ime/coder_fixture.h"

namespace {

using namespace coder_test;
using Entries = std::vector<std::string>;

const std::string X = "\xB0\xA1", Y = "\xB0\xA2", Z = "\xB0\xA3";

class CodeBucketsTest : public CoderTest {
  protected:
    // Codes the "[Text]" section of `text`; the messages printed on the way
    // (the opening line and the spinner left out) are kept in `output`.
    int readText(const std::string& text) {
        const int rc = codeSource(text);
        const std::string opening = "\r \r[Text] Start coding input method at line 1...\n";
        if (output.starts_with(opening)) output.erase(0, opening.size());
        if (output.ends_with("\r \r")) output.resize(output.size() - 3);
        while (output.size() >= 2 && output[output.size() - 2] == '\r' &&
               std::string_view("-|/\\").find(output.back()) != std::string_view::npos) {
            output.resize(output.size() - 2);
        }
        return rc;
    }

    // The bucket of a code: its first one or two symbols.
    int bucketNumber(const char* code) const {
        const InputMethod& im = mabrel.im;
        const auto symbol = [&](char c) { return static_cast<int>(im.usedCodes.find(c)) + 1; };
        const bool firstOnly = im.codingStyle == 1 && im.indexDepth == 1;
        const int s2 = code[1] != '\0' && !firstOnly ? symbol(code[1]) : 0;
        return (symbol(code[0]) - 1) * (static_cast<int>(im.usedCodes.size()) + 1) + s2;
    }

    // The entries of the bucket of `code`, each as "code:characters".
    Entries bucketOf(const char* code) const {
        const InputMethod coded = inputMethodOf(layout);
        const int bucket = bucketNumber(code);
        Entries listed;
        for (int entry = layout.tables.index[bucket]; entry < layout.tables.index[bucket + 1];
             ++entry) {
            std::string item;
            for (const CodeTableEntry& pair : coded.entries) {
                if (pair.line != static_cast<uint32_t>(entry)) continue;
                if (item.empty()) item = std::string(coded.codes[pair.code]) + ":";
                pair.character.appendTo(item);
            }
            listed.push_back(item);
        }
        return listed;
    }

    int entryCount() const { return ::entryCount(layout.tables); }
    int pairCount() const { return static_cast<int>(codedCharacterCount(layout.tables)); }
};

TEST_F(CodeBucketsTest, StyleOneMakesAnEntryPerCharacter) {
    ASSERT_TRUE(setGeometry(mabrel, {.codingStyle = 1}));
    ASSERT_EQ(readText("[Text]\nabc " + X + " " + Y + Z + "\nabc\t" + X + "\nba " + X + "\n"), 0);
    EXPECT_EQ(bucketOf("abc"), (Entries{"abc:" + X, "abc:" + Y, "abc:" + Z}));
    EXPECT_EQ(bucketOf("ba"), (Entries{"ba:" + X}));
    EXPECT_EQ(entryCount(), 4);
    EXPECT_EQ(pairCount(), 4);
    EXPECT_EQ(output, "\r \r\aL3, [Text], Message 905: Duplicate HanZi \"" + X + "\" in \"abc\t" +
                          X + "\n\"\n");
}

TEST_F(CodeBucketsTest, LineEndsBlanksAndCommentsReadAsTheLineCopiedOut) {
    ASSERT_TRUE(setGeometry(mabrel, {.codingStyle = 1, .usedCodes = "abc/"}));
    // CR LF ends, a tab, a code against its characters, a lone CR that ends
    // the characters, a comment whose "//" could start a code, a code that
    // starts with "/", no line feed at the end.
    const std::string text = "[Text]\r\nab " + X + "\r\nab\t" + X + "\r\nabc" + Y + Z +
                             "\r\n  // ab " + Z + "\r\nab " + Y + "\r" + Z + "\r\n/a " + X +
                             "\nab  " + Y + " " + Z;
    ASSERT_EQ(readText(text), 0);
    EXPECT_EQ(bucketOf("ab"), (Entries{"ab:" + X, "ab:" + Y, "ab:" + Z, "abc:" + Y, "abc:" + Z}));
    EXPECT_EQ(bucketOf("/a"), (Entries{"/a:" + X}));
    const std::string in = "\r \r\aL8, [Text], Message 905: Duplicate HanZi \"";
    EXPECT_EQ(output, "\r \r\aL3, [Text], Message 905: Duplicate HanZi \"" + X + "\" in \"ab\t" +
                          X + "\n\"\n" + in + Y + "\" in \"ab  " + Y + " " + Z + "\"\n");
}

TEST_F(CodeBucketsTest, StyleTwoMergesTheLinesOfOneCode) {
    const std::string W = "\xB0\xA4";
    ASSERT_TRUE(setGeometry(mabrel, {.codingStyle = 2, .maxCodes = 7}));
    ASSERT_EQ(readText("[Text]\nabc " + X + " " + Y + Z + "\nab " + Z + "\nabc" + W + X + X + "\n"),
              0);
    EXPECT_EQ(bucketOf("abc"), (Entries{"ab:" + Z, "abc:" + X + Y + Z + W}));
    EXPECT_EQ(entryCount(), 2);
    EXPECT_EQ(pairCount(), 5);
    const std::string duplicate = "Duplicate HanZi \"" + X + "\" in \"abc" + W + X + X + "\n\"\n";
    EXPECT_EQ(output, "\r \r\aL4, [Text], Message 905: " + duplicate +
                          "\r \r\aL4, [Text], Message 905: " + duplicate);
}

TEST_F(CodeBucketsTest, BucketOrderFollowsIndexDepthAndNoSort) {
    const std::string text = "[Text]\nab " + X + "\na " + Y + "\nabc " + Z + "\n";
    const struct {
        int indexDepth;
        int noSort;
        Entries bucketOfA;
        Entries bucketOfAb;
    } cases[] = {
        {1, 0, {"a:" + Y, "ab:" + X, "abc:" + Z}, {"a:" + Y, "ab:" + X, "abc:" + Z}},
        {1, 1, {"ab:" + X, "a:" + Y, "abc:" + Z}, {"ab:" + X, "a:" + Y, "abc:" + Z}},
        {2, 0, {"a:" + Y}, {"ab:" + X, "abc:" + Z}},
        {0, 0, {"a:" + Y}, {"ab:" + X, "abc:" + Z}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(setGeometry(
            mabrel, {.codingStyle = 1, .indexDepth = c.indexDepth, .noSort = c.noSort}));
        ASSERT_EQ(readText(text), 0);
        EXPECT_EQ(bucketOf("a"), c.bucketOfA) << c.indexDepth << " " << c.noSort;
        EXPECT_EQ(bucketOf("ab"), c.bucketOfAb) << c.indexDepth << " " << c.noSort;
    }
}

TEST_F(CodeBucketsTest, CodeOrderIsByteOrderWithinABucketAndAlphabetOrderAcrossThem) {
    ASSERT_TRUE(setGeometry(mabrel, {.codingStyle = 1, .usedCodes = "zyx", .maxCodes = 3}));
    ASSERT_EQ(readText("[Text]\nzy " + X + "\nzx " + Y + "\nzxz " + Z + "\nzxy " + X + "\n"), 0);
    EXPECT_LT(bucketNumber("zy"), bucketNumber("zx"));
    EXPECT_EQ(bucketOf("zx"), (Entries{"zx:" + Y, "zxy:" + X, "zxz:" + Z}));
}

TEST_F(CodeBucketsTest, LinesWithoutCodeOrCharacterDrawWarnings) {
    ASSERT_TRUE(setGeometry(mabrel, {.codingStyle = 2}));
    const std::string text = "[Text]\n" + X + "\nab\n  \t\n// ab " + Y + "\n\nab  ;" + Y + "\nab" +
                             X + "tail " + Y + "\n";
    ASSERT_EQ(readText(text), 0);
    EXPECT_EQ(output, "\r \r\aL2, [Text], Message 900: No code in \"" + X + "\n\"\n" +
                          "\r \r\aL3, [Text], Message 900: No code in \"ab\n\"\n" +
                          "\r \r\aL7, [Text], Message 900: No code in \"ab  ;" + Y + "\n\"\n");
    EXPECT_EQ(bucketOf("ab"), (Entries{"ab:" + X}));
    EXPECT_EQ(pairCount(), 1);
}

TEST_F(CodeBucketsTest, AHeaderAfterTheTextSectionEndsTheProgram) {
    const struct {
        const char* header;
        std::string message;
    } cases[] = {
        {"[Phrase]", "Message 902: Code too long in \"[Phrase]\n\"\n"},
        {"[Help]", "Message 902: Error code '[' at \"[Help]\n\"\n"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(setGeometry(mabrel, {.codingStyle = 2, .maxCodes = 7}));
        const int status = readText("[Text]\nab " + X + "\n" + c.header + "\n");
        EXPECT_EQ(status, kStopStatus) << c.header;
        EXPECT_EQ(output, "\r \r\aL3, [Text], " + c.message);
    }
}

TEST_F(CodeBucketsTest, ACharacterFiledTwiceIsFoundInSmallAndLargeBuckets) {
    // IndexDepth 1: every code starting with "a" shares one bucket, searched
    // pair by pair up to 32 pairs and through the hash set beyond.
    for (int characters : {5, 31, 32, 33, 100}) {
        ASSERT_TRUE(setGeometry(mabrel, {.codingStyle = 1, .indexDepth = 1}));
        std::string text = "[Text]\n";
        for (int i = 0; i < characters; ++i) text += "a " + gbChar(256 + i) + "\n";
        text +=
            "ab " + gbChar(256) + "\na " + gbChar(256) + "\na " + gbChar(255 + characters) + "\n";
        ASSERT_EQ(readText(text), 0);
        EXPECT_EQ(pairCount(), characters + 1) << characters;
        const std::string first = "L" + std::to_string(characters + 3) + ", [Text], Message 905";
        const std::string last = "L" + std::to_string(characters + 4) + ", [Text], Message 905";
        EXPECT_NE(output.find(first), std::string::npos) << characters;
        EXPECT_NE(output.find(last), std::string::npos) << characters;
        EXPECT_EQ(output.find("L" + std::to_string(characters + 2) + ","), std::string::npos);
    }
}

TEST_F(CodeBucketsTest, ABucketGrowsPastItsFirstRoom) {
    // 1000 characters under one code: more than H / 10 = 909 entries.
    ASSERT_TRUE(setGeometry(mabrel, {.codingStyle = 1, .maxCodes = 1}));
    std::string text = "[Text]\n";
    for (int i = 0; i < 1000; ++i) text += "a " + gbChar(256 + i) + "\n";
    ASSERT_EQ(readText(text), 0);
    const Entries entries = bucketOf("a");
    ASSERT_EQ(entries.size(), 1000u);
    EXPECT_EQ(entries.front(), "a:" + gbChar(256));
    EXPECT_EQ(entries.back(), "a:" + gbChar(1255));
}

TEST_F(CodeBucketsTest, CodingStopsOnSectionProblems) {
    const struct {
        std::string text;
        int rc;
        std::string output;
    } cases[] = {
        {"[Help]\nx\n", 500, "\r \r\aMessage 500 : Can't find \"[Text]\" section\n"},
        {"[Description]\n[Text]\n// nothing\n\n", 906,
         "\r \r[Text] Start coding input method at line 2...\n"
         "\r \r\aL4, [Text], Message 906: No coding in \"[Text]\" section.\n"},
        {"[Text]\n" + X + "\n", 906,
         "\r \r[Text] Start coding input method at line 1...\n"
         "\r \r\aL2, [Text], Message 900: No code in \"" +
             X +
             "\n\"\n"
             "\r \r\aL2, [Text], Message 906: No coding in \"[Text]\" section.\n"},
    };
    for (const auto& c : cases) {
        useMabrelMessages();
        ASSERT_TRUE(setGeometry(mabrel, {.codingStyle = 2}));
        EXPECT_EQ(codeSource(c.text), c.rc);
        EXPECT_EQ(output, c.output);
    }
}

TEST_F(CodeBucketsTest, TooManyEntriesOrCharactersStopWithMessage904) {
    // GBK, 23940 characters. Style 1, every character under two codes:
    // 47880 entries. Style 2, every character under three codes spread over
    // 3 x 676 entries: 71820 coded characters.
    const int characters = indexCount(kChineseGBK) - 256;
    for (int style : {1, 2}) {
        std::string text = "[Text]\n";
        int lines = 1;
        for (char first : {'a', 'b', 'c'}) {
            if (style == 1 && first == 'c') break;
            for (int i = 0; i < characters; ++i) {
                char hz[3] = {};
                indexToChar(kChineseGBK, 256 + i, hz, sizeof hz);
                if (hz[1] == 0x7F) continue;
                text +=
                    std::string{first, kLetters[i % 26], kLetters[i / 26 % 26], ' '} + hz + "\n";
                ++lines;
            }
        }
        useMabrelMessages();
        ASSERT_TRUE(setGeometry(mabrel, {.charSet = kChineseGBK, .codingStyle = style}));
        EXPECT_EQ(codeSource(text), 904);
        EXPECT_EQ(output, "\r \r[Text] Start coding input method at line 1...\n\r \r\aL" +
                              std::to_string(lines) +
                              ", [Text], Message 904: Too many codes in \"[Text]\" section.\n");
    }
}

}  // namespace
