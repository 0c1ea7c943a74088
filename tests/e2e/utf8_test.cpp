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
    std::string utf8, failed;
    EXPECT_TRUE(converter.textToUtf8(text, utf8, failed)) << failed;
    return utf8;
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
         {std::pair{"marked.txt", "\xEF\xBB\xBF" + utf8}, std::pair{"keyed.txt", withKey(utf8)}}) {
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
        MabrelCase{"InAValueItStops", mabrelSource("ChineseGB", "Author=冃\n", "ni 你\n"), 139,
                   "\r \r\aL10, [Description], Message 907: Character \"冃\" can't be written in "
                   "ChineseGB\n"},
        MabrelCase{"NotUtf8", mabrelSource("ChineseGB", "", "ni \xC4\xE3\n"), 140,
                   "\r \r\aL11, [Text], Message 908: Line is not UTF-8 text\n"},
        MabrelCase{"OtherEncoding",
                   "[Description]\nCharSet=ChineseGB\nEncoding=Latin1\nID=Utf8\n[Text]\n", 98,
                   "\r \r\aL4, [Description], Message 610: The value of \"Encoding=Latin1\" is "
                   "invalid, can be UTF-8\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
