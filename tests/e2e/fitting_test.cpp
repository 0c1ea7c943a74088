// "Tosker /f": a list that passes both limits of the phrase database compiles,
// leaving out what does not fit, into the database of the list without those
// phrases.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "foundation/char_sets.h"
#include "tests/e2e/run_tool.h"
#include "tests/support/bmp_maker.h"

namespace {

using namespace e2e;

std::string gb(int index) {
    char text[3] = {};
    indexToChar(kChineseGB, static_cast<unsigned>(index), text, sizeof text);
    return text;
}

struct Line {
    std::string phrase;
    bool kept;
};

// Block 0: first character 300 gets 2050 two-character phrases; 2048 words
// fit, the last two are left out for their full first character (905).
// Block 1: first characters 512 to 527 (F = 0, so 2 x 258 bytes of table and
// room for 32509 words) get 146 phrases of 15 characters (14 words) each:
// 15 characters take 30660 words, the 16th keeps 132 phrases (1848 words)
// and leaves 14 out for the full block (906). A last phrase under 512 passes
// both limits and counts for its full first character.
std::vector<Line> lines() {
    std::vector<Line> list;
    for (int i = 0; i < 2050; ++i) list.push_back({gb(300) + gb(1000 + i), i < 2048});
    std::string tail;
    for (int k = 0; k < 13; ++k) tail += gb(3000 + k);
    for (int j = 0; j < 16; ++j) {
        for (int p = 0; p < 146; ++p) {
            list.push_back({gb(512 + j) + gb(2000 + p) + tail, j < 15 || p < 132});
        }
    }
    list.push_back({gb(512) + gb(2146) + tail, false});
    return list;
}

std::string listText(const std::vector<Line>& list, bool keptOnly) {
    std::string text = "[Description]\nCharSet=ChineseGB\n[Phrase]\n";
    for (const Line& line : list) {
        if (line.kept || !keptOnly) text += line.phrase + "\n";
    }
    return text;
}

TEST(Fitting, LeavesOutWhatDoesNotFitAndWritesTheDatabaseOfTheRest) {
    ScratchDir dir;
    const std::vector<Line> list = lines();
    writeFile(dir / "list.txt", listText(list, false));
    writeFile(dir / "kept.txt", listText(list, true));

    const RunResult fitted = runTool(TOSKER_PATH, {"/F", "list.txt", "list.pdb"}, dir.path());
    ASSERT_EQ(fitted.status, 0) << fitted.output.substr(0, 2000);
    const RunResult plain = runTool(TOSKER_PATH, {"kept.txt", "kept.pdb"}, dir.path());
    ASSERT_EQ(plain.status, 0) << plain.output.substr(0, 2000);
    const RunResult stopped = runTool(TOSKER_PATH, {"list.txt", "stopped.pdb"}, dir.path());
    EXPECT_EQ(stopped.status, 905 & 0xFF);
    EXPECT_TRUE(stopped.output.ends_with("Message 905: Too many phrases begin with '" + gb(300) +
                                         "'\n\r \rNote: Tosker /f leaves out what does not fit\n"));
    EXPECT_EQ(maskDates(readFile(dir / "list.pdb")), maskDates(readFile(dir / "kept.pdb")));

    // The first 10 left out are named with their lines: the phrase of list
    // entry k stands on line 4 + k.
    std::vector<std::string> expected;
    for (int k : {2048, 2049}) {
        expected.push_back("\aL" + std::to_string(4 + k) +
                           ", [Phrase], Message 905: Too many phrases begin with '" + gb(300) +
                           "', phrase left out");
    }
    for (int k = 0; k < 8; ++k) {
        expected.push_back("\aL" + std::to_string(4 + 2048 + 2 + 15 * 146 + 132 + k) +
                           ", [Phrase], Message 906: Phrase block of '" + gb(512) +
                           "' too large, phrase left out");
    }
    std::vector<std::string> warned;
    std::istringstream output(fitted.output);
    std::string line;
    while (std::getline(output, line)) {
        if (line.starts_with("\r \r")) line.erase(0, 3);
        if (line.ends_with("phrase left out")) warned.push_back(line);
    }
    EXPECT_EQ(warned, expected);
    EXPECT_NE(fitted.output.find("17 phrases left out: 3 for full first characters, 14 for full "
                                 "blocks\n\r \rThe phrases left out are listed in "
                                 "\"list-left-out.txt\"\n\r \rTotal 4370 phrases\n"),
              std::string::npos)
        << fitted.output.substr(fitted.output.size() - 400);

    // Every one left out is listed; only the block of 512 to 527 is full.
    std::string leftOut;
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (list[k].kept) continue;
        const bool block = k >= 2050 && k + 1 < list.size();
        leftOut += std::to_string(4 + k) + "\t" + list[k].phrase + "\t" +
                   (block ? "full block" : "full first character") + "\n";
    }
    EXPECT_EQ(readFile(dir / "list-left-out.txt"), leftOut);
}

TEST(Fitting, TheListIsNeverTheSourceOrTheDatabase) {
    ScratchDir dir;
    const std::vector<Line> list = lines();
    writeFile(dir / "list-left-out.txt", listText(list, false));
    const RunResult source =
        runTool(TOSKER_PATH, {"/f", "list-left-out.txt", "list.PDB"}, dir.path());
    EXPECT_EQ(source.status, 105);
    EXPECT_NE(source.output.find("Message 105: Destination \"list-left-out.txt\" is the source"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "list.PDB"));

    std::filesystem::rename(dir / "list-left-out.txt", dir / "list.txt");
    writeFile(dir / "b-left-out.txt", "");
    std::filesystem::create_symlink("b-left-out.txt", dir / "b.pdb");
    const RunResult database = runTool(TOSKER_PATH, {"/f", "list.txt", "b.pdb"}, dir.path());
    EXPECT_EQ(database.status, 105);
    EXPECT_NE(database.output.find("Destination \"b-left-out.txt\" is another file of this run"),
              std::string::npos);
}

TEST(Fitting, AListThatFitsPrintsWhatItPrintsWithout) {
    ScratchDir dir;
    writeFile(dir / "list.txt", "[Description]\nCharSet=ChineseGB\n[Phrase]\n" + gb(300) + gb(301) +
                                    "\n" + gb(300) + gb(301) + "\n");
    const RunResult fitted = runTool(TOSKER_PATH, {"/f", "list.txt", "a.pdb"}, dir.path());
    const RunResult plain = runTool(TOSKER_PATH, {"list.txt", "a.pdb"}, dir.path());
    EXPECT_EQ(fitted.status, 0);
    EXPECT_EQ(fitted.output, plain.output);
    EXPECT_EQ(fitted.output.find("left out"), std::string::npos);
}

}  // namespace

// "Mabrel /f": one table just over the entries (style 1, every pair its own
// entry) and one over the repeat blocks (style 2, 100 characters taking turns,
// so that after the first 200 pairs every pair adds one slot: the first L
// pairs fit, L = min(2H - 2, 32766)).
struct CodeTableCase {
    const char* charSet;
    int style;
    int pairs;
    int characters;
    int kept;
    const char* reason;
};

TEST(Fitting, MabrelLeavesOutThePairsThatDoNotFit) {
    const CharSet charSets[] = {kChineseGBK, kChineseGB};
    const int repeatLimit = std::min(2 * indexCount(kChineseGB), 32766);
    const CodeTableCase cases[] = {
        {"ChineseGBK", 1, 32772, 20000, 32767, "table size"},
        {"ChineseGB", 2, repeatLimit + 5, 100, repeatLimit, "repeat blocks"}};
    for (std::size_t c = 0; c < std::size(cases); ++c) {
        const CodeTableCase& table = cases[c];
        ScratchDir dir;
        const std::string head =
            "[Description]\nCharSet=" + std::string(table.charSet) +
            "\nID=Test\nName=T\nFullName=T\nVersion=1\nCopyright=c\nAuthor=a\nCodingStyle=" +
            std::to_string(table.style) +
            "\nUsedCodes=abcdefghijklmnopqrstuvwxyz\nMaxCodes=4\n[Text]\n";
        std::vector<std::string> characters;  // the first ones of the CharSet
        for (unsigned index = 256; std::ssize(characters) < table.characters; ++index) {
            char character[3] = {};
            if (indexToChar(charSets[c], index, character, sizeof character) == 2 &&
                startsWithDoubleByteChar(charSets[c], character, 2)) {
                characters.push_back(character);
            }
        }
        std::string all = head, kept = head, listed;
        for (int i = 0; i < table.pairs; ++i) {
            std::string code;
            for (int k = i, n = 0; n < 4; ++n, k /= 26) code += static_cast<char>('a' + k % 26);
            const std::string& character =
                characters[static_cast<std::size_t>(i % table.characters)];
            const std::string line = code + " " + character + "\n";
            all += line;
            if (i < table.kept) kept += line;
            if (i >= table.kept) {
                listed += std::to_string(13 + i) + "\t" + code + "\t" + character + "\t" +
                          table.reason + "\n";
            }
        }
        writeFile(dir / "all.txt", all);
        writeFile(dir / "kept.txt", kept);
        const RunResult fitted = runTool(MABREL_PATH, {"/f", "all.txt", "all.pdb"}, dir.path());
        const RunResult plain = runTool(MABREL_PATH, {"kept.txt", "kept.pdb"}, dir.path());
        ASSERT_EQ(fitted.status, 0) << fitted.output.substr(0, 600);
        ASSERT_EQ(plain.status, 0) << table.charSet;
        EXPECT_EQ(maskDates(readFile(dir / "all.pdb")), maskDates(readFile(dir / "kept.pdb")));
        EXPECT_EQ(readFile(dir / "all-left-out.txt"), listed) << table.charSet;
        EXPECT_NE(fitted.output.find("5 codes left out: 5 for the " + std::string(table.reason) +
                                     "\n\r \rThe codes left out are listed in "
                                     "\"all-left-out.txt\"\n"),
                  std::string::npos)
            << fitted.output.substr(fitted.output.size() - 300);

        // The list is never a keyboard picture the compile reads.
        const std::string picture = test_support::makeBmp({});
        all.insert(all.find("[Text]"), "KeyboardBitmap=p-left-out.txt\n");
        writeFile(dir / "p.txt", all);
        writeFile(dir / "p-left-out.txt", picture);
        const RunResult named = runTool(MABREL_PATH, {"/f", "p.txt", "p.pdb"}, dir.path());
        EXPECT_EQ(named.status, 105);
        EXPECT_TRUE(named.output.ends_with("Destination \"p-left-out.txt\" is the source\n"));
        EXPECT_TRUE(readFile(dir / "p-left-out.txt") == picture && !fs::exists(dir / "p.pdb"));
    }
}
