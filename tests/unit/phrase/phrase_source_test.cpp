#include "phrase/source/phrase_source.h"

#include <random>

#include "phrase/source/phrase_store.h"
#include "tests/unit/phrase/tosker_test_support.h"

namespace {

using namespace tosker_test;

// Four "ChineseGB" characters: indexes 1666 to 1669.
const std::string A = "\xB0\xA1", B = "\xB0\xA2", C = "\xB0\xA3", D = "\xB0\xA4";

std::string source(const std::string& description, const std::string& phrases) {
    return "[Description]\n" + description + "[Phrase]\n" + phrases;
}

class PhraseSourceTest : public Fixture {
  protected:
    // Both parsing passes over `text`, as the driver runs them.
    Captured parse(const std::string& text) {
        const fs::path path = writeBytes("list.txt", text);
        EXPECT_TRUE(openSource(tosker.source, path.c_str()));
        return captured([&] {
            if (int rc = parseDescriptionSection(tosker)) return rc;
            return parsePhraseSection(tosker);
        });
    }
};

struct DescriptionCase {
    const char* name;
    std::string text;
    int rc;
    std::string message;  // a line the run must print
    uint16_t maxPhraseLength;
};

void PrintTo(const DescriptionCase& c, std::ostream* os) {
    *os << c.name;
}

class DescriptionTest : public PhraseSourceTest,
                        public ::testing::WithParamInterface<DescriptionCase> {};

TEST_P(DescriptionTest, ReadsKeys) {
    const DescriptionCase& c = GetParam();
    const Captured run = parse(c.text);
    EXPECT_EQ(run.rc, c.rc);
    EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    if (c.rc == 0) {
        EXPECT_EQ(tosker.database.maxPhraseLength, c.maxPhraseLength);
    }
}

const std::string kPhrases = A + B + "\n" + A + B + C + "\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, DescriptionTest,
    ::testing::Values(
        DescriptionCase{"NoLengthTakesLongest", source("CharSet=ChineseGB\n", kPhrases), 0,
                        "\r \rNo MaxPhraseLength=?? setting, include all phrases\n", 3},
        DescriptionCase{"LengthOne", source("CharSet=ChineseGB\nMaxPhraseLength=1\n", kPhrases),
                        603,
                        "\r \r\aL3, [Description], Message 603: \"MaxPhraseLength\" must >= 2 "
                        "and <= 15, now is 1\n",
                        0},
        DescriptionCase{"LengthSixteen",
                        source("CharSet=ChineseGB\nMaxPhraseLength=16\n", kPhrases), 603,
                        "must >= 2 and <= 15, now is 16\n", 0},
        DescriptionCase{"LengthLetters",
                        source("CharSet=ChineseGB\nMaxPhraseLength=abc\n", kPhrases), 603,
                        "must >= 2 and <= 15, now is 0\n", 0},
        DescriptionCase{"LengthLowByte",
                        source("CharSet=ChineseGB\nMaxPhraseLength=258 // two\n", kPhrases), 0,
                        "[Phrase] Start coding phrase at line 4...\n", 2},
        DescriptionCase{
            "LengthBeyondLongClamps",
            source("CharSet=ChineseGB\nMaxPhraseLength=99999999999999999999\n", kPhrases), 603,
            "must >= 2 and <= 15, now is 255\n", 0},
        DescriptionCase{"UnknownCharSet", source("CharSet=Latin1\n", kPhrases), 600,
                        "\aL2, [Description], Message 600: \"Latin1\" is not a valid CharSet\n", 0},
        DescriptionCase{"EmptyCharSet", source("CharSet=   // none\n", kPhrases), 502,
                        "Message 504: Key \"CharSet\" no value\n\r \r\aL2, [Description], "
                        "Message 502: You must set \"CharSet=????\" key\n",
                        0},
        DescriptionCase{"NoDescription", "[Phrase]\n" + kPhrases, 500,
                        "\r \r\aMessage 500 : Can't find \"[Description]\" section\n", 0},
        DescriptionCase{"NoKeywords", source("// only a comment\n\n", kPhrases), 501,
                        "\aL3, [Description], Message 501: No keywords in \"[Description]\" "
                        "section\n",
                        0},
        DescriptionCase{"NoPhraseSection", "[Description]\nCharSet=KoreanKSC\n", 500,
                        "\aL2, [Description], Message 500: Can't find \"[Phrase]\" section\n", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PhraseSourceTest, LowerCaseCharSetName) {
    ASSERT_EQ(parse(source("CharSet=chinesegbk\n", kPhrases)).rc, 0);
    EXPECT_EQ(tosker.database.charSet, kChineseGBK);
}

struct PhraseCase {
    const char* name;
    std::string lines;  // from line 5 on
    int rc;
    std::string message;
    uint32_t phraseCount;
};

void PrintTo(const PhraseCase& c, std::ostream* os) {
    *os << c.name;
}

class PhraseLineTest : public PhraseSourceTest, public ::testing::WithParamInterface<PhraseCase> {};

TEST_P(PhraseLineTest, ChecksEachLine) {
    const PhraseCase& c = GetParam();
    const Captured run = parse(source("CharSet=ChineseGB\nMaxPhraseLength=4\n", c.lines));
    EXPECT_EQ(run.rc, c.rc);
    EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    EXPECT_EQ(filedPhrases(tosker) + tosker.database.phrases.size(), c.phraseCount);
}

const std::string kSixteen = A + B + C + D + A + B + C + D + A + B + C + D + A + B + C + D;

INSTANTIATE_TEST_SUITE_P(
    Cases, PhraseLineTest,
    ::testing::Values(
        PhraseCase{"LongerThanSettingSkipped", A + B + C + D + A + "\n" + A + B + "\n", 0,
                   "\aL5, [Phrase], Message 902: Phrase '" + A + B + C + D + A +
                       "' longer than seted, skip\n",
                   1},
        PhraseCase{"SixteenCharactersFatal", A + B + "\n" + kSixteen + "\n", 902,
                   "\aL6, [Phrase], Message 902: Phrase long in '" + kSixteen + "'\n", 1},
        PhraseCase{
            "TrailingTextIgnored", A + B + ",USER\n\t" + A + B + " " + C + " //x\n", 0,
            "\aL6, [Phrase], Message 903: Duplicate phrase in \"\t" + A + B + " " + C + " //x\"\n",
            1},
        PhraseCase{"PrefixAndOtherSlotAreNew",
                   A + B + C + "\n" + A + B + "\n" + C + B + C + "\n\n// x\n" + A + B + C + "\n", 0,
                   "\aL10, [Phrase], Message 903: Duplicate phrase in \"" + A + B + C + "\"\n", 3},
        PhraseCase{"SingleCharacter", "  " + A + "x\n", 901,
                   "\aL5, [Phrase], Message 901: Not phrase in '  " + A + "x'\n", 0},
        PhraseCase{"AsciiStart", "x" + A + B + "\n", 900,
                   "\aL5, [Phrase], Message 900: No phrase in 'x" + A + B + "'\n", 0},
        PhraseCase{"HeaderAfterPhrase", A + B + "\n[Description]\n", 900,
                   "\aL6, [Phrase], Message 900: No phrase in '[Description]'\n", 1},
        PhraseCase{"OnlyComments", "// nothing\n\n  \n", 904,
                   "\aL7, [Phrase], Message 904: No phrases in \"[Phrase]\" section.\n", 0},
        PhraseCase{"EverythingSkipped", A + B + C + D + A + "\n", 904, "Message 904", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PhraseSourceTest, FullSlotRefusesNewPhraseButStillReportsRepeats) {
    std::string lines;
    for (unsigned i = 0; i < 2048; ++i) lines += A + chars(kChineseGB, {2000 + i}) + "\n";
    lines += A + chars(kChineseGB, {2000}) + "\n";  // line 2052: repeated
    lines += A + chars(kChineseGB, {6000}) + "\n";  // line 2053: new
    const Captured run = parse(source("CharSet=ChineseGB\n", lines));
    EXPECT_EQ(run.rc, 905);
    EXPECT_EQ(tosker.slots[1666].words, 2048u);
    EXPECT_NE(run.output.find("\aL2052, [Phrase], Message 903: Duplicate phrase"),
              std::string::npos);
    EXPECT_NE(run.output.find("\aL2053, [Phrase], Message 905: Too many phrases begin with '" + A +
                              "'\n"),
              std::string::npos);
}

// Random lists of phrases, repeats, comments, blank and refused lines, with
// ",USER" marks and without a last line feed, read the same with CR LF ends:
// the same messages, phrases and last line read.
TEST_F(PhraseSourceTest, CrLfEndsReadAsLineFeeds) {
    std::mt19937 random(35);
    const std::string pieces[] = {A, B, C, D, A + B, ",USER", "// c", " ", "x", "\t"};
    for (int round = 0; round < 60; ++round) {
        std::string lines;
        for (int n = 1 + static_cast<int>(random() % 40); n > 0; --n) {
            for (int k = static_cast<int>(random() % 7); k >= 0; --k)
                lines += pieces[random() % 10];
            lines += '\n';
        }
        if (random() % 2) lines.pop_back();
        std::string crLf;
        for (const char c : lines) crLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        tosker = CTosker{};
        const Captured plain = parse(source("CharSet=ChineseGB\n", lines));
        const auto phrases = tosker.database.phrases.size();
        const std::string last = tosker.source.lineBuffer;
        tosker = CTosker{};
        const Captured ended = parse(source("CharSet=ChineseGB\r\n", crLf));
        EXPECT_EQ(plain.rc, ended.rc) << round;
        EXPECT_EQ(plain.output, ended.output) << round;
        EXPECT_EQ(phrases, tosker.database.phrases.size()) << round;
        EXPECT_EQ(last, tosker.source.lineBuffer) << round;
    }
}

}  // namespace
