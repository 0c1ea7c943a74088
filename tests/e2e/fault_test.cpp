// Hostile surroundings and odd sources: a full device, a missing folder, a
// folder given as a source, empty files, one very long line, NUL bytes and
// CR-only line ends. Each run must end with its message and exit status.
#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/run_tool.h"

namespace {

using namespace e2e;

const std::string kMabrelBanner = "\r \rQalto input method maintain program, Version 2.0\n\n";
const std::string kToskerBanner = "\r \rQalto phrase database maintain program, Version 2.0\n\n";

std::string mabrelConverting(const std::string& source, const std::string& destination) {
    return kMabrelBanner + "\r \rConverting text \"" + source + "\" => input method \"" +
           destination + "\"...\n\n";
}

std::string toskerToDatabase(const std::string& source, const std::string& destination) {
    return kToskerBanner + "\r \rConverting text \"" + source + "\" => phase database \"" +
           destination + "\"...\n\n";
}

std::string toskerToText(const std::string& source, const std::string& destination) {
    return kToskerBanner + "\r \rConverting phase database \"" + source + "\" => text \"" +
           destination + "\"...\n\n";
}

// A complete input method of ten lines whose one code line carries one character.
const std::string kSmallInputMethod =
    "[Description]\nCharSet=ChineseGB\nID=Test\nFullName=Fault test\nName=Fault\n"
    "CodingStyle=2\nUsedCodes=ab\nMaxCodes=2\n[Text]\na \xB0\xA1\n";
// What Mabrel prints for it up to the writer.
const std::string kSmallInputMethodCoded =
    "\r \r[Text] Start coding input method at line 9...\n\r-\r \r";

// A phrase list of four lines with one phrase.
const std::string kSmallPhraseList =
    "[Description]\nCharSet=ChineseGB\n[Phrase]\n\xB0\xA1\xB0\xA2\n";
// What Tosker prints for it up to the writer.
const std::string kSmallPhraseListRead =
    "\r \rNo MaxPhraseLength=?? setting, include all phrases\n"
    "\r \r[Phrase] Start coding phrase at line 3...\n\r \r";

struct FaultCase {
    const char* name;
    bool mabrel;
    std::function<void(const fs::path&)> setUp;
    std::vector<std::string> args;
    int status;
    std::string output;
    const char* mustNotExist;  // nullptr: nothing to check
};

// The bytes of a string literal that holds NUL bytes.
template <std::size_t N>
std::string literalBytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

std::function<void(const fs::path&)> withFile(const char* name, std::string bytes) {
    return [=](const fs::path& dir) { writeFile(dir / name, bytes); };
}

std::function<void(const fs::path&)> withFolder(const char* name) {
    return [=](const fs::path& dir) { fs::create_directory(dir / name); };
}

const std::string kLongPhraseLine = [] {
    std::string line;
    for (int i = 0; i < 300; ++i) line += "\xB0\xA1";
    return line;
}();

std::vector<FaultCase> faultCases() {
    return {
        {"tosker_full_device",
         false,
         [](const fs::path& dir) {
             writeFile(dir / "list.txt", kSmallPhraseList);
             fs::create_symlink("/dev/full", dir / "x.pdb");
         },
         {"list.txt", "x.pdb"},
         102,
         toskerToDatabase("list.txt", "x.pdb") + kSmallPhraseListRead +
             "\r \r\aL4, [Phrase], Message 102: Write file \"x.pdb\" error\n",
         nullptr},
        {"mabrel_missing_folder",
         true,
         withFile("src.txt", kSmallInputMethod),
         {"src.txt", "none/x.pdb"},
         103,
         mabrelConverting("src.txt", "none/x.pdb") + kSmallInputMethodCoded +
             "\r \r\aL10, [Text], Message 103: Create file \"none/x.pdb\" fail\n",
         "none"},
        {"tosker_text_missing_folder",
         false,
         withFile("list.txt", kSmallPhraseList),
         {"list.txt", "none/x.pdb"},
         103,
         toskerToDatabase("list.txt", "none/x.pdb") + kSmallPhraseListRead +
             "\r \r\aL4, [Phrase], Message 103: Create file \"none/x.pdb\" fail\n",
         "none"},
        {"mabrel_source_folder",
         true,
         withFolder("dir.txt"),
         {"dir.txt", "x.pdb"},
         100,
         mabrelConverting("dir.txt", "x.pdb") + "\r \r\aMessage 100 : Open file \"dir.txt\" fail\n",
         "x.pdb"},
        {"tosker_source_folder",
         false,
         withFolder("dir.txt"),
         {"dir.txt", "x.pdb"},
         100,
         toskerToDatabase("dir.txt", "x.pdb") + "\r \r\aMessage 100 : Open file \"dir.txt\" fail\n",
         "x.pdb"},
        {"tosker_database_folder",
         false,
         withFolder("dir.pdb"),
         {"dir.pdb", "x.txt"},
         100,
         toskerToText("dir.pdb", "x.txt") + "\r \r\aMessage 100 : Open file \"dir.pdb\" fail\n",
         "x.txt"},
        {"mabrel_empty_source",
         true,
         withFile("src.txt", ""),
         {"src.txt", "x.pdb"},
         244,
         mabrelConverting("src.txt", "x.pdb") +
             "\r \r\aMessage 500 : Can't find \"[Description]\" section\n",
         "x.pdb"},
        {"tosker_empty_source",
         false,
         withFile("list.txt", ""),
         {"list.txt", "x.pdb"},
         244,
         toskerToDatabase("list.txt", "x.pdb") +
             "\r \r\aMessage 500 : Can't find \"[Description]\" section\n",
         "x.pdb"},
        {"tosker_empty_database",
         false,
         withFile("db.pdb", ""),
         {"db.pdb", "x.txt"},
         101,
         toskerToText("db.pdb", "x.txt") + "\r \r\aMessage 101 : Read file \"db.pdb\" error\n",
         "x.txt"},
        {"mabrel_one_long_line",
         true,
         withFile("src.txt", std::string(100000, 'a') + "\n"),
         {"src.txt", "x.pdb"},
         244,
         mabrelConverting("src.txt", "x.pdb") +
             "\r \r\aMessage 500 : Can't find \"[Description]\" section\n",
         "x.pdb"},
        {"tosker_long_phrase_line",
         false,
         withFile("list.txt", "[Description]\nCharSet=ChineseGB\nMaxPhraseLength=4\n[Phrase]\n" +
                                  kLongPhraseLine + "\n"),
         {"list.txt", "x.pdb"},
         134,
         // The line arrives as a piece of 510 bytes; the message is cut at 255 characters.
         toskerToDatabase("list.txt", "x.pdb") +
             "\r \r[Phrase] Start coding phrase at line 4...\n"
             "\r \r\aL5, [Phrase], Message 902: Phrase long in '" +
             kLongPhraseLine.substr(0, 255 - 16) + "\n",
         "x.pdb"},
        {"mabrel_nul_in_value",
         true,
         withFile("src.txt", literalBytes("[Description]\nCharSet=Chinese\0GB\nID=Test\n")),
         {"src.txt", "x.pdb"},
         88,
         mabrelConverting("src.txt", "x.pdb") +
             "\r \r\aL3, [Description], Message 600: \"Chinese\" is not a valid CharSet\n",
         "x.pdb"},
        {"tosker_nul_in_phrase",
         false,
         withFile("list.txt", literalBytes("[Description]\nCharSet=ChineseGB\n[Phrase]\n"
                                           "\xB0\xA1\0\xB0\xA2\n")),
         {"list.txt", "x.pdb"},
         133,
         toskerToDatabase("list.txt", "x.pdb") +
             "\r \rNo MaxPhraseLength=?? setting, include all phrases\n"
             "\r \r[Phrase] Start coding phrase at line 3...\n"
             "\r \r\aL4, [Phrase], Message 901: Not phrase in '\xB0\xA1'\n",
         "x.pdb"},
        {"mabrel_cr_line_ends",
         true,
         withFile("src.txt", "[Description]\rCharSet=ChineseGB\rID=Test\r"),
         {"src.txt", "x.pdb"},
         245,
         mabrelConverting("src.txt", "x.pdb") +
             "\r \r\aL1, [Description], Message 501: No keywords in \"[Description]\" section\n",
         "x.pdb"},
        {"tosker_cr_line_ends",
         false,
         withFile("list.txt", "[Description]\rCharSet=ChineseGB\r[Phrase]\r\xB0\xA1\xB0\xA2\r"),
         {"list.txt", "x.pdb"},
         245,
         toskerToDatabase("list.txt", "x.pdb") +
             "\r \r\aL1, [Description], Message 501: No keywords in \"[Description]\" section\n",
         "x.pdb"},
    };
}

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class Fault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(Fault, EndsWithItsMessageAndStatus) {
    const FaultCase& c = GetParam();
    if (std::string(c.name).ends_with("full_device") && !fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this machine";
    }
    ScratchDir scratch;
    c.setUp(scratch.path());
    const RunResult run = runTool(c.mabrel ? MABREL_PATH : TOSKER_PATH, c.args, scratch.path());
    EXPECT_EQ(run.output, c.output);
    EXPECT_EQ(run.status, c.status);
    if (c.mustNotExist != nullptr) {
        EXPECT_FALSE(fs::exists(fs::symlink_status(scratch.path() / c.mustNotExist)));
    }
}

INSTANTIATE_TEST_SUITE_P(All, Fault, ::testing::ValuesIn(faultCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Fault, DatabaseToTextInMissingFolder) {
    ScratchDir scratch;
    writeFile(scratch.path() / "list.txt", kSmallPhraseList);
    ASSERT_EQ(runTool(TOSKER_PATH, {"list.txt", "db.pdb"}, scratch.path()).status, 0);
    const RunResult run = runTool(TOSKER_PATH, {"db.pdb", "none/x.txt"}, scratch.path());
    EXPECT_EQ(run.status, 103);
    EXPECT_EQ(run.output, toskerToText("db.pdb", "none/x.txt") +
                              "\r \r\aMessage 103 : Create file \"none/x.txt\" fail\n");
}

}  // namespace
