// UTF-8 text in and out. The bundled examples, turned into UTF-8 here with
// the tools' own conversion, compile to the same databases and print the
// same lines; databases written back in UTF-8 compile again to themselves;
// and what a CharSet cannot hold is named and left out, or stops the run.
#include <gtest/gtest.h>

#include "foundation/text_encoding.h"
#include "tests/e2e/run_tool.h"

namespace {

using namespace e2e;

std::string inUtf8(CharSet charSet, const std::string& text) {
    CharSetConverter converter(charSet);
    return converter.textToUtf8(text);
}

// The source with "Encoding=UTF-8" in place of the first blank line after
// "[Description]", so that every line keeps its number.
std::string withKey(std::string source) {
    const std::size_t blank = source.find("\n\n", source.find("[Description]"));
    return source.replace(blank + 1, 0, "Encoding=UTF-8");
}

std::string withoutNames(std::string output, const std::string& source, const std::string& pdb) {
    const std::size_t at = output.find("\"" + source + "\"");
    if (at != std::string::npos) output.replace(at, source.size() + 2, "");
    const std::size_t to = output.find("\"" + pdb + "\"");
    if (to != std::string::npos) output.replace(to, pdb.size() + 2, "");
    return output;
}

struct Example {
    const char* source;
    CharSet charSet;
};

class Utf8Example : public ::testing::TestWithParam<Example> {
  protected:
    void SetUp() override { fs::copy(EXAMPLES_DIR, dir.path(), fs::copy_options::recursive); }
    ScratchDir dir;
};

TEST_P(Utf8Example, CompilesToTheSameDatabase) {
    const Example& e = GetParam();
    const RunResult original = runTool(MABREL_PATH, {e.source, "original.pdb"}, dir.path());
    ASSERT_EQ(original.status, 0) << original.output;
    const std::string text = readFile(dir / e.source);
    const std::string utf8 = inUtf8(e.charSet, text);
    for (const auto& [name, source] :
         {std::pair{"marked.txt", "\xEF\xBB\xBF" + utf8}, std::pair{"keyed.txt", withKey(utf8)},
          std::pair{"plain.txt", utf8}}) {
        writeFile(dir / name, source);
        const RunResult run = runTool(MABREL_PATH, {name, "utf8.pdb"}, dir.path());
        EXPECT_EQ(run.status, 0) << name << run.output;
        EXPECT_EQ(withoutNames(run.output, name, "utf8.pdb"),
                  withoutNames(original.output, e.source, "original.pdb"))
            << name;
        EXPECT_TRUE(maskDates(readFile(dir / "utf8.pdb")) ==
                    maskDates(readFile(dir / "original.pdb")))
            << name;
    }
    // Written back in UTF-8, the database compiles to itself.
    const RunResult back = runTool(MABREL_PATH, {"/U", "original.pdb", "back.txt"}, dir.path());
    ASSERT_EQ(back.status, 0) << back.output;
    const std::string written = readFile(dir / "back.txt");
    EXPECT_TRUE(isUtf8(written));
    EXPECT_EQ(written.find("\nEncoding=UTF-8\n"), written.find('\n', written.find("CharSet=")));
    ASSERT_EQ(runTool(MABREL_PATH, {"back.txt", "again.pdb"}, dir.path()).status, 0);
    EXPECT_TRUE(maskDates(readFile(dir / "again.pdb")) ==
                maskDates(readFile(dir / "original.pdb")));
}

INSTANTIATE_TEST_SUITE_P(Examples, Utf8Example,
                         ::testing::Values(Example{"pinyin.txt", kChineseGB},
                                           Example{"shapes.txt", kChineseBIG5},
                                           Example{"kana.txt", kJapaneseSJIS}),
                         [](const auto& info) {
                             return fs::path(info.param.source).stem().string();
                         });

const std::string kNote =
    "\r \rNote: this line looks like UTF-8 text; write \"Encoding=UTF-8\" in [Description]\n";

const std::string kMabrelStart =
    "\r \rQalto input method maintain program, Version 2.0\n\n"
    "\r \rConverting text \"src.txt\" => input method \"x.pdb\"...\n\n";

std::string mabrelSource(const char* charSet, const std::string& extra, const std::string& text) {
    return std::string("[Description]\nCharSet=") + charSet +
           "\nEncoding=UTF-8\nID=Utf8\nFullName=UTF-8 test\nName=Utf8\nCodingStyle=2\n"
           "UsedCodes=abcdefghijklmnopqrstuvwxyz\nMaxCodes=4\n" +
           extra + "[Text]\n" + text;
}

struct MabrelCase {
    const char* name;
    std::string source;
    int status;
    std::string output;  // after the converting line
};

void PrintTo(const MabrelCase& c, std::ostream* os) {
    *os << c.name;
}

class Utf8Messages : public ::testing::TestWithParam<MabrelCase> {};

TEST_P(Utf8Messages, MabrelPrintsExactly) {
    const MabrelCase& c = GetParam();
    ScratchDir dir;
    writeFile(dir / "src.txt", c.source);
    const RunResult run = runTool(MABREL_PATH, {"src.txt", "x.pdb"}, dir.path());
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.output, kMabrelStart + c.output);
}

std::string leftOut(int line, const char* character, const char* charSet) {
    return "\r \r\aL" + std::to_string(line) + ", [Text], Message 907: Character \"" + character +
           "\" can't be written in " + charSet + ", left out\n";
}

const std::string kTwelveLeftOut = [] {
    std::string text = "ni 你\n";
    for (int i = 0; i < 12; ++i) text += "ya 冃\n";
    return text;
}();

const std::string kTwelveLeftOutOutput = [] {
    std::string output;
    for (int line = 12; line < 22; ++line) output += leftOut(line, "冃", "ChineseGB");
    return output + "\r \r12 characters can't be written in ChineseGB and were left out\n";
}();

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Messages,
    ::testing::Values(
        // Characters of GBK that GB 2312 lacks: with GBK nothing is left out.
        MabrelCase{
            "GbkHoldsThem", mabrelSource("ChineseGBK", "", "ni 你冃\nrong 镕\n"), 0,
            "\r \r[Text] Start coding input method at line 10...\n\r-\r|\r \r\r \r\nConvert OK.\n"},
        MabrelCase{"GbLeavesThemOut", mabrelSource("ChineseGB", "", "ni 你冃\nrong 镕\n"), 0,
                   leftOut(11, "冃", "ChineseGB") + leftOut(12, "镕", "ChineseGB") +
                       "\r \r2 characters can't be written in ChineseGB and were left out\n"
                       "\r \r[Text] Start coding input method at line 10...\n\r-\r \r\r "
                       "\r\nConvert OK.\n"},
        MabrelCase{"TenNamedThenCounted", mabrelSource("ChineseGB", "", kTwelveLeftOut), 0,
                   kTwelveLeftOutOutput + "\r \r[Text] Start coding input method at line "
                                          "10...\n\r-\r \r\r \r\nConvert OK.\n"},
        // A code with an emoji leaves its line out (or "ab" would repeat 啊); after
        // "//" in a key line and after a line's characters, it goes without a word.
        MabrelCase{"WhereItStandsAsTheReadingSees",
                   mabrelSource("ChineseGB", "Author=测试 // 😀\n", "a😀b 啊\nab 啊\nc 吖 x 😀\n"), 0,
                   leftOut(12, "😀", "ChineseGB") +
                       "\r \r1 character can't be written in ChineseGB and was left out\n"
                       "\r \r[Text] Start coding input method at line 11...\n\r-\r|\r \r\r "
                       "\r\nConvert OK.\n"},
        MabrelCase{"InAValueItStops", mabrelSource("ChineseGB", "Author=冃\n", "ni 你\n"), 139,
                   "\r \r\aL10, [Description], Message 907: Character \"冃\" can't be written in "
                   "ChineseGB\n"},
        MabrelCase{"NotUtf8", mabrelSource("ChineseGB", "", "ni \xC4\xE3\n"), 140,
                   "\r \r\aL11, [Text], Message 908: Line is not UTF-8 text\n"},
        // A GB 2312 source with lines of UTF-8 draws warning 900 twice and the note once.
        MabrelCase{"TheNoteOnce",
                   "[Description]\nCharSet=ChineseGB\nID=Utf8\nFullName=\xB2\xE2\nName=Utf8\n"
                   "CodingStyle=2\nUsedCodes=abc\nMaxCodes=4\n[Text]\n你 好\n好\n",
                   138,
                   "\r \r[Text] Start coding input method at line 9...\n"
                   "\r \r\aL10, [Text], Message 900: No code in \"你 好\n\"\n" +
                       kNote +
                       "\r \r\aL11, [Text], Message 900: No code in \"好\n\"\n"
                       "\r \r\aL11, [Text], Message 906: No coding in \"[Text]\" section.\n"},
        MabrelCase{"OtherEncoding",
                   "[Description]\nCharSet=ChineseGB\nEncoding=Latin1\nID=Utf8\n[Text]\n", 98,
                   "\r \r\aL4, [Description], Message 610: The value of \"Encoding=Latin1\" is "
                   "invalid, can be UTF-8\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// The example phrase list in UTF-8 (marked, and keyed), and a phrase
// database written back in UTF-8.
TEST(Utf8PhraseList, CompilesToTheSameDatabaseAndComesBack) {
    ScratchDir dir;
    fs::copy(fs::path(EXAMPLES_DIR) / "phrase-chinesegb.txt", dir / "list.txt");
    const RunResult original = runTool(TOSKER_PATH, {"list.txt", "original.pdb"}, dir.path());
    ASSERT_EQ(original.status, 0) << original.output;
    const std::string utf8 = inUtf8(kChineseGB, readFile(dir / "list.txt"));
    for (const auto& [name, source] :
         {std::pair{"marked.txt", "\xEF\xBB\xBF" + utf8}, std::pair{"keyed.txt", withKey(utf8)},
          std::pair{"plain.txt", utf8}}) {
        writeFile(dir / name, source);
        const RunResult run = runTool(TOSKER_PATH, {name, "utf8.pdb"}, dir.path());
        EXPECT_EQ(withoutNames(run.output, name, "utf8.pdb"),
                  withoutNames(original.output, "list.txt", "original.pdb"))
            << name;
        EXPECT_TRUE(maskDates(readFile(dir / "utf8.pdb")) ==
                    maskDates(readFile(dir / "original.pdb")));
    }
    ASSERT_EQ(runTool(TOSKER_PATH, {"/u", "original.pdb", "back.txt"}, dir.path()).status, 0);
    const std::string back = readFile(dir / "back.txt");
    EXPECT_TRUE(back.starts_with("[Description]\nCharSet=ChineseGB\nEncoding=UTF-8\n")) << back;
    EXPECT_TRUE(isUtf8(back));
    ASSERT_EQ(runTool(TOSKER_PATH, {"back.txt", "again.pdb"}, dir.path()).status, 0);
    EXPECT_TRUE(maskDates(readFile(dir / "again.pdb")) ==
                maskDates(readFile(dir / "original.pdb")));
}

const std::string kToskerStart =
    "\r \rQalto phrase database maintain program, Version 2.0\n\n"
    "\r \rConverting text \"list.txt\" => phase database \"x.pdb\"...\n\n";

struct ToskerCase {
    const char* name;
    std::string list;
    int status;
    std::string output;  // after the converting line
};

void PrintTo(const ToskerCase& c, std::ostream* os) {
    *os << c.name;
}

class Utf8PhraseMessages : public ::testing::TestWithParam<ToskerCase> {};

TEST_P(Utf8PhraseMessages, ToskerPrintsExactly) {
    const ToskerCase& c = GetParam();
    ScratchDir dir;
    writeFile(dir / "list.txt", c.list);
    const RunResult run = runTool(TOSKER_PATH, {"list.txt", "x.pdb"}, dir.path());
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.output, kToskerStart + c.output);
}

const std::string kUtf8List =
    "[Description]\nCharSet=ChineseGB\nEncoding=UTF-8\nMaxPhraseLength=3\n[Phrase]\n";

std::string phraseLeftOut(int line) {
    return "\r \r\aL" + std::to_string(line) +
           ", [Phrase], Message 907: Character \"冃\" can't be written in ChineseGB, phrase left "
           "out\n";
}

const std::string kTwelvePhrases = [] {
    std::string list = kUtf8List + "你好\n";
    for (int i = 0; i < 12; ++i) list += "冃你\n";
    return list;
}();

const std::string kTwelvePhrasesOutput = [] {
    std::string output;
    for (int line = 7; line < 17; ++line) output += phraseLeftOut(line);
    return output +
           "\r \r12 phrases left out: a character can't be written in ChineseGB\n"
           "\r \r[Phrase] Start coding phrase at line 5...\n\r \r\r \rTotal 1 phrases\n"
           "\r \r\nConvert OK.\n";
}();

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8PhraseMessages,
    ::testing::Values(
        ToskerCase{"TenNamedThenCounted", kTwelvePhrases, 0, kTwelvePhrasesOutput},
        ToskerCase{"AfterThePhraseNothingIsRead", kUtf8List + "中国人 😀\n", 0,
                   "\r \r[Phrase] Start coding phrase at line 5...\n\r \r\r \rTotal 1 "
                   "phrases\n\r \r\nConvert OK.\n"},
        ToskerCase{"ShortLegacyListStaysLegacy",
                   "[Description]\nCharSet=ChineseGB\nMaxPhraseLength=2\n[Phrase]\n"
                   "\xD2\xBB\xD0\xA9\n\xC4\xBF\xC7\xB0\n",
                   0,
                   "\r \r[Phrase] Start coding phrase at line 4...\n\r \r\r \rTotal 2 phrases\n"
                   "\r \r\nConvert OK.\n"},
        ToskerCase{"QuotesInUtf8", kUtf8List + "你们好吧\n", 136,
                   "\r \r[Phrase] Start coding phrase at line 5...\n\r \r\aL6, [Phrase], Message "
                   "902: Phrase '你们好吧' longer than seted, skip\n\r \r\aL6, [Phrase], Message "
                   "904: No phrases in \"[Phrase]\" section.\n"},
        ToskerCase{
            "InAValueItStops",
            "[Description]\nCharSet=ChineseGB\nEncoding=UTF-8\nMaxPhraseLength=冃\n[Phrase]\n", 139,
            "\r \r\aL4, [Description], Message 907: Character \"冃\" can't be written in "
            "ChineseGB\n"},
        ToskerCase{"NotUtf8", kUtf8List + "\xC4\xE3\xBA\xC3\n", 140,
                   "\r \r\aL6, [Phrase], Message 908: Line is not UTF-8 text\n"},
        ToskerCase{"OtherEncoding", "[Description]\nCharSet=ChineseGB\nEncoding=GB2312\n[Phrase]\n",
                   98,
                   "\r \r\aL3, [Description], Message 610: The value of \"Encoding=GB2312\" is "
                   "invalid, can be UTF-8\n"},
        // A GB 2312 list with a line of UTF-8 ends the run, the note after its message.
        ToskerCase{"TheNoteAfterTheLastMessage",
                   "[Description]\nCharSet=ChineseGB\nMaxPhraseLength=3 //\xB2\xE2\n[Phrase]\n"
                   "你们好吧\n",
                   133,
                   "\r \r[Phrase] Start coding phrase at line 4...\n"
                   "\r \r\aL5, [Phrase], Message 901: Not phrase in '你们好吧'\n" +
                       kNote}),
    [](const auto& info) { return std::string(info.param.name); });

// Big5 characters only the second mapping writes come back as the first reads them.
TEST(Utf8PhraseList, SecondMappingBothWays) {
    ScratchDir dir;
    writeFile(dir / "list.txt", "[Description]\nCharSet=ChineseBIG5\n[Phrase]\n﹑⊙\n￥⊕\n￠￡\n");
    ASSERT_EQ(runTool(TOSKER_PATH, {"list.txt", "x.pdb"}, dir.path()).status, 0);
    ASSERT_EQ(runTool(TOSKER_PATH, {"/u", "x.pdb", "back.txt"}, dir.path()).status, 0);
    EXPECT_TRUE(readFile(dir / "back.txt").ends_with("//､\n､☉\n\n//¥\n¥♁\n\n//¢\n¢£\n\n"));
}

TEST(LongLines, OneLineAsManyLines) {
    ScratchDir dir;
    std::string one = "yi", many;
    for (int k = 0; k < 300; ++k) {
        const std::string gb{static_cast<char>(0xB0 + k / 94), static_cast<char>(0xA1 + k % 94)};
        one += " " + gb;
        many += "yi " + gb + "\n";
    }
    writeFile(dir / "one.txt", mabrelSource("ChineseGB", "", inUtf8(kChineseGB, one + "\n")));
    writeFile(dir / "many.txt", mabrelSource("ChineseGB", "", inUtf8(kChineseGB, many)));
    ASSERT_EQ(runTool(MABREL_PATH, {"one.txt", "one.pdb"}, dir.path()).status, 0);
    ASSERT_EQ(runTool(MABREL_PATH, {"many.txt", "many.pdb"}, dir.path()).status, 0);
    EXPECT_TRUE(maskDates(readFile(dir / "one.pdb")) == maskDates(readFile(dir / "many.pdb")));
}

}  // namespace
