// Mabrel /i and Tosker /i on hand-made tables of every format: the source
// and phrase list written, byte for byte; the source compiles, and its
// database read back holds the same characters under each code, in the same
// order. On rime's Wubi 86, when installed: every pair the handheld can hold
// is in the compiled table.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "foundation/text_encoding.h"
#include "tests/e2e/run_tool.h"

namespace e2e {
namespace {

const fs::path kTables = fs::path(TEST_DATA_DIR) / "import";

// The characters under each code of a UTF-8 source's [Text], in order.
std::map<std::string, std::string> codeTable(const std::string& source) {
    std::map<std::string, std::string> table;
    const std::size_t start = source.find("[Text]\n");
    std::istringstream lines(source.substr(start == std::string::npos ? 0 : start + 7));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t blank = line.find(' ');
        if (line.empty() || line.starts_with("//") || blank == std::string::npos) continue;
        table[line.substr(0, blank)] += line.substr(blank + 1);
    }
    return table;
}

struct ImportCase {
    const char* table;
    const char* expected;  // the source, and its phrase list with "-phrases"
};

class ImportCases : public testing::TestWithParam<ImportCase> {};

TEST_P(ImportCases, WritesTheSourceAndListAndTheyCompile) {
    const ImportCase& c = GetParam();
    ScratchDir dir;
    const fs::path expected = kTables / c.expected;
    const RunResult run =
        runTool(MABREL_PATH, {"/i", (kTables / c.table).string(), "ime.txt"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string source = readFile(dir.path() / "ime.txt");
    EXPECT_EQ(source, readFile(expected.string() + "-expected.txt"));
    EXPECT_EQ(readFile(dir.path() / "ime-phrases.txt"),
              readFile(expected.string() + "-expected-phrases.txt"));

    const RunResult compile = runTool(MABREL_PATH, {"ime.txt", "ime.pdb"}, dir.path());
    ASSERT_EQ(compile.status, 0) << compile.output;
    EXPECT_EQ(compile.output.find('\a'), std::string::npos) << compile.output;
    ASSERT_EQ(runTool(MABREL_PATH, {"/u", "ime.pdb", "back.txt"}, dir.path()).status, 0);
    EXPECT_EQ(codeTable(readFile(dir.path() / "back.txt")), codeTable(source));
    EXPECT_EQ(runTool(TOSKER_PATH, {"ime-phrases.txt", "p.pdb"}, dir.path()).status, 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, ImportCases,
                         testing::Values(ImportCase{"sample.cin", "sample"},
                                         ImportCase{"wbx.txt", "wbx"},
                                         ImportCase{"mini.ibus.txt", "mini.ibus"},
                                         ImportCase{"rime/mini.dict.yaml", "rime/mini"},
                                         // Each binary table imports as the text it was made from.
                                         ImportCase{"binary/small.cin", "binary/small"},
                                         ImportCase{"binary/small.gtab", "binary/small"},
                                         ImportCase{"binary/marks.cin", "binary/marks"},
                                         ImportCase{"binary/marks.gtab", "binary/marks"},
                                         ImportCase{"binary/small.fcitx.txt", "binary/small-fcitx"},
                                         ImportCase{"binary/small.mb", "binary/small-fcitx"},
                                         ImportCase{"binary/small.main.dict", "binary/small-fcitx"},
                                         ImportCase{"binary/small.zst.dict", "binary/small-fcitx"},
                                         ImportCase{"binary/small.scim.txt", "binary/small-scim"},
                                         ImportCase{"binary/small.scim.bin", "binary/small-scim"},
                                         ImportCase{"binary/mini.ibus.db", "binary/mini-ibus-db"}));

// A binary table cut short or with a byte changed is read in part or
// refused with a message (403 when it is damaged), never read past its end.
TEST(Import, DamagedBinaryTablesAreReadInPartOrRefused) {
    ScratchDir dir;
    for (const char* name : {"small.gtab", "small.mb", "small.scim.bin", "mini.ibus.db",
                             "small.main.dict", "small.zst.dict"}) {
        const std::string table = readFile(kTables / "binary" / name);
        for (std::size_t cut = 1; cut < 40; ++cut) {
            std::string damaged = table.substr(0, table.size() * cut / 40);
            if (cut % 2 == 1) damaged = table, damaged[damaged.size() * cut / 40] ^= '\x5A';
            writeFile(dir.path() / name, damaged);
            const RunResult run = runTool(MABREL_PATH, {"/i", name, "d.txt"}, dir.path());
            EXPECT_EQ(run.signal, 0) << name << " cut " << cut;
            EXPECT_TRUE(run.status == 0 || run.output.find("Message ") != std::string::npos)
                << name << " cut " << cut << ": " << run.output;
        }
    }
}

// A record whose text is not UTF-8 is left out with 908 and listed, in every
// binary format, not passed over unseen.
TEST(Import, BinaryRecordsThatAreNotUtf8AreListed) {
    ScratchDir dir;
    for (const char* name : {"small.mb", "small.scim.bin", "small.main.dict", "mini.ibus.db"}) {
        std::string table = readFile(kTables / "binary" / name);
        const std::size_t at = table.find("\xE6\x9C\x88");  // 月, once in each
        ASSERT_NE(at, std::string::npos) << name;
        table[at + 2] = '\xFF';
        writeFile(dir.path() / name, table);
        const RunResult run = runTool(MABREL_PATH, {"/i", name, "d.txt"}, dir.path());
        EXPECT_EQ(run.status, 0) << name << ": " << run.output;
        EXPECT_NE(run.output.find("Message 908"), std::string::npos) << name << ": " << run.output;
        const std::string listed = readFile(dir.path() / "d-import-left-out.txt");
        // The bytes that are not UTF-8 shown as escapes.
        EXPECT_NE(listed.find("b \\xE6\\x9C\\xFF"), std::string::npos) << name << ": " << listed;
        EXPECT_NE(listed.find("\tnot UTF-8 text\n"), std::string::npos) << name << ": " << listed;
    }
}

TEST(Import, WordListBecomesAPhraseListInWeightOrder) {
    ScratchDir dir;
    const RunResult run =
        runTool(TOSKER_PATH, {"/i", (kTables / "words.txt").string(), "w.txt"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(readFile(dir.path() / "w.txt"), readFile(kTables / "words-expected.txt"));
}

// Lists of a few characters, where most words come again, some right after
// themselves: the first of each word stays, with the largest weight of its
// repeats, and the list is in weight order, ties in the order first read.
TEST(Import, RepeatedWordsLeaveTheFirstOfEachWithTheLargestWeight) {
    const std::string kCharacters[] = {"\xE4\xB8\xAD", "\xE5\x9B\xBD", "\xE4\xBA\xBA",
                                       "\xE5\xA4\xA7", "\xE5\xB0\x8F"};  // 中国人大小
    std::mt19937 generator(11);
    for (const int count : {1, 2, 40, 3000}) {
        std::string list;
        std::vector<std::string> order;  // the words, as first read
        std::map<std::string, int> weights;
        std::string previous;
        for (int i = 0; i < count; ++i) {
            std::string word = generator() % 8 == 0 ? previous : "";
            if (word.empty()) {
                const std::size_t length = 2 + generator() % 2;
                for (std::size_t n = 0; n < length; ++n) word += kCharacters[generator() % 5];
            }
            previous = word;
            const int weight = static_cast<int>(generator() % 20);
            list += word + " " + std::to_string(weight) + "\n";
            if (weights.emplace(word, weight).second) order.push_back(word);
            weights[word] = std::max(weights[word], weight);
        }
        std::stable_sort(
            order.begin(), order.end(),
            [&](const std::string& a, const std::string& b) { return weights[a] > weights[b]; });
        std::string expected;
        std::size_t longest = 0;
        for (const std::string& word : order) {
            expected += word + "\n";
            longest = std::max(longest, word.size() / 3);
        }
        ScratchDir dir;
        writeFile(dir.path() / "r.txt", list);
        const RunResult run = runTool(TOSKER_PATH, {"/iChineseGB", "r.txt", "p.txt"}, dir.path());
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(readFile(dir.path() / "p.txt"),
                  "[Description]\nEncoding=UTF-8\nCharSet=ChineseGB\nMaxPhraseLength=" +
                      std::to_string(longest) + "\n[Phrase]\n" + expected)
            << count;
    }
}

// GB 2312 writes U+00B7 and U+30FB as one character: each word keeps the
// spelling it was read with, whichever word comes first.
TEST(Import, WordsKeepTheirSpellingOfACharacterWrittenTwoWays) {
    ScratchDir dir;
    const std::string words =
        "\xE4\xB8\xAD\xC2\xB7\xE5\x9B\xBD 9\n"               // 中·国
        "\xE7\xBE\x8E\xE3\x83\xBB\xE5\x9B\xBD 8\n"           // 美・国
        "\xE4\xB8\xAD\xE5\x9B\xBD\xC2\xB7\xE4\xBA\xBA 7\n";  // 中国·人
    writeFile(dir.path() / "dots.txt", words);
    const RunResult run = runTool(TOSKER_PATH, {"/iChineseGB", "dots.txt", "d.txt"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(readFile(dir.path() / "d.txt"),
              "[Description]\nEncoding=UTF-8\nCharSet=ChineseGB\nMaxPhraseLength=4\n[Phrase]\n" +
                  words.substr(0, 8) + "\n" + words.substr(11, 9) + "\n" + words.substr(23, 11) +
                  "\n");
}

// The table's language chooses the CharSet (zh_CN widened for a character
// GB 2312 lacks), FullName is the name of that language, and the prompts of
// either form give the displays.
TEST(Import, TheTablesLanguageChoosesTheCharSetAndItsNames) {
    const struct {
        const char* definition;
        const char* entries;
        std::vector<std::string> expected;
    } cases[] = {
        {"LANGUAGES = ja_JP\n", "", {"CharSet=JapaneseSJIS\n"}},
        {"LANGUAGES = ko_KR\n", "", {"CharSet=KoreanKSC\n"}},
        {"LANGUAGES = zh_CN\n", "", {"CharSet=ChineseGB\n"}},
        {"LANGUAGES = zh_CN\n", "c\t堃\t1\n", {"CharSet=ChineseGBK\n"}},
        {"LANGUAGES = en,zh_HK,zh_CN\nNAME.zh_CN = 简称\nNAME.zh_HK = 繁稱\n",
         "",
         {"CharSet=ChineseBIG5\n", "FullName=繁稱\n"}},
        {"NAME.zh_TW = 臺\nNAME.zh_CN = 台\n", "", {"CharSet=ChineseGB\n", "FullName=台\n"}},
        {"NAME.zh_TW = 臺灣\n", "", {"CharSet=ChineseBIG5\n"}},
        {"CHAR_PROMPTS = {'a': '日', 'b': 'ㄅㄆ'}\n", "", {"DispalyCodes=日,ㄅ\n"}},
        {"END_DEFINITION\nBEGIN_CHAR_PROMPTS_DEFINITION\na ㄅ\nb ㄆ\nEND_CHAR_PROMPTS_DEFINITION\n",
         "",
         {"DispalyCodes=ㄅ,ㄆ\n"}},
        {"CHAR_PROMPTS = {'a': '日'}\n", "", {"UsedCodes=ab\nKeyboardBitmap"}},
    };
    ScratchDir dir;
    for (const auto& c : cases) {
        writeFile(dir.path() / "t.scim",
                  std::string("SCIM_Generic_Table_Phrase_Library_TEXT\nBEGIN_DEFINITION\n"
                              "KEYS = ab\n") +
                      c.definition + "END_DEFINITION\nBEGIN_TABLE\na\t日\t2\nb\t月\t1\n" +
                      c.entries + "END_TABLE\n");
        ASSERT_EQ(runTool(MABREL_PATH, {"/i", "t.scim", "t.txt"}, dir.path()).status, 0);
        const std::string source = readFile(dir.path() / "t.txt");
        for (const std::string& line : c.expected) {
            EXPECT_NE(source.find(line), std::string::npos) << c.definition << source;
        }
    }
}

// Among the entries of a SCIM or ibus-table text only "###" is a comment,
// "#" a key; BEGIN_TABLE_EXTRA adds entries; SCIM's "0x6708" is 月. A phrase
// parted by tabs is all between them: " " a single-byte character, " 月" a
// word with a blank, both listed, neither lost nor cut to "月".
TEST(Import, ScimLinesAsScimAndIbusTableReadThem) {
    ScratchDir dir;
    writeFile(dir.path() / "t.scim",
              "SCIM_Generic_Table_Phrase_Library_TEXT\nBEGIN_DEFINITION\nKEYS = ab#\n"
              "LANGUAGES = zh_CN\nEND_DEFINITION\nBEGIN_TABLE\na\t日\t2\nb\t \t1\n"
              "b\t 月\t1\n### a comment\n#\t＃\t1\nab\t月\t1\nEND_TABLE\n"
              "BEGIN_TABLE_EXTRA\nbb\t朋\t1\nbb\t0x6708\t1\nEND_TABLE_EXTRA\n");
    ASSERT_EQ(runTool(MABREL_PATH, {"/i", "t.scim", "t.txt"}, dir.path()).status, 0);
    const std::string source = readFile(dir.path() / "t.txt");
    EXPECT_EQ(source.substr(source.find("[Text]")), "[Text]\na 日\n# ＃\nab 月\nbb 朋月\n");
    EXPECT_EQ(readFile(dir.path() / "t-import-left-out.txt"),
              "8\tb\t \tsingle-byte character\n"
              "9\tb\t 月\ta character can't be written in ChineseGB\n");
}

// Runs that stop before anything is written: status and files left.
TEST(Import, RefusesWithoutWriting) {
    ScratchDir dir;
    writeFile(dir.path() / "plain.txt", "nothing of a table\n");
    writeFile(dir.path() / "latin1.cin", "%chardef begin\na \xE9\n");
    fs::copy(kTables / "sample.cin", dir.path() / "t.cin");
    fs::copy(kTables / "sample.cin", dir.path() / "tab.txt");
    writeFile(dir.path() / "t-phrases.txt", "kept\n");
    fs::create_symlink("t-phrases.txt", dir.path() / "t.txt");
    const struct {
        const char* tool;
        std::vector<std::string> args;
        int status;
    } runs[] = {
        {MABREL_PATH, {"/i", "plain.txt", "out.txt"}, 510 & 0xFF},
        {MABREL_PATH, {"/i", "latin1.cin", "out.txt"}, 510 & 0xFF},
        {MABREL_PATH, {"/iKorean", "t.cin", "out.txt"}, 2},
        {MABREL_PATH, {"/i", "t.cin", "out.dat"}, 2},
        {MABREL_PATH, {"/i", "t.cin", "t.cin.txt"}, 0},
        {MABREL_PATH, {"/i", "t.cin", "t.txt"}, 105},
        {MABREL_PATH, {"/i", "tab.txt", "./tab.txt"}, 105},
        {TOSKER_PATH, {"/iChineseGB", "t.cin", "t.cin"}, 2},
        {TOSKER_PATH, {"/i", "plain.txt", "out.txt"}, 510 & 0xFF},
    };
    for (const auto& r : runs) {
        EXPECT_EQ(runTool(r.tool, r.args, dir.path()).status, r.status) << r.args[1];
    }
    EXPECT_FALSE(fs::exists(dir.path() / "out.txt"));
    EXPECT_EQ(readFile(dir.path() / "t-phrases.txt"), "kept\n");
    EXPECT_EQ(readFile(dir.path() / "tab.txt"), readFile(kTables / "sample.cin"));
}

// Tosker /i of an input-method table says where its words are written; of a
// list without words, nothing more; of a table of words alone, takes them.
TEST(Import, ToskerSendsAnInputMethodTableToMabrel) {
    ScratchDir dir;
    writeFile(dir.path() / "chars.cin", "%chardef begin\na \xE6\x97\xA5\n%chardef end\n");
    writeFile(dir.path() / "plain.txt", "a\n");
    const std::string note = "is an input-method table: Mabrel /i writes its words";
    const RunResult table = runTool(TOSKER_PATH, {"/i", "chars.cin", "w.txt"}, dir.path());
    EXPECT_EQ(table.status, 510 & 0xFF);
    EXPECT_NE(table.output.find("\"chars.cin\" " + note), std::string::npos) << table.output;
    const RunResult plain = runTool(TOSKER_PATH, {"/i", "plain.txt", "w.txt"}, dir.path());
    EXPECT_EQ(plain.output.find(note), std::string::npos) << plain.output;
    // A table of words alone, which Mabrel refuses, is a list of its words.
    writeFile(dir.path() / "words.cin",
              "%chardef begin\nab \xE6\x97\xA5\xE6\x9C\x88\n%chardef end\n");
    ASSERT_EQ(runTool(TOSKER_PATH, {"/i", "words.cin", "w.txt"}, dir.path()).status, 0);
    EXPECT_TRUE(readFile(dir.path() / "w.txt").ends_with("[Phrase]\n\xE6\x97\xA5\xE6\x9C\x88\n"));
}

// A .gtab numbers its words in 24 bits: hime-cin2gtab's table of 65,600
// words (of two characters from U+4E00 on) keeps every one.
TEST(Import, GtabWordsPastSixteenBits) {
    const fs::path compiler = "/usr/bin/hime-cin2gtab";
    if (!fs::exists(compiler)) GTEST_SKIP() << "hime is not installed";
    ScratchDir dir;
    const auto han = [](int offset) {
        const int point = 0x4E00 + offset;
        return std::string{static_cast<char>(0xE0 | point >> 12),
                           static_cast<char>(0x80 | (point >> 6 & 0x3F)),
                           static_cast<char>(0x80 | (point & 0x3F))};
    };
    std::string cin =
        "%ename many\n%cname many\n%selkey 1234567890\n%keyname begin\na A\nb B\n"
        "%keyname end\n%chardef begin\na " +
        han(0) + "\n";
    for (int word = 0; word < 65600; ++word) cin += "b " + han(word / 256) + han(word % 256) + "\n";
    writeFile(dir.path() / "many.cin", cin + "%chardef end\n");
    ASSERT_EQ(runTool(compiler.string(), {"many.cin"}, dir.path()).status, 0);
    const RunResult run = runTool(MABREL_PATH, {"/iChineseGBK", "many.gtab", "m.txt"}, dir.path());
    EXPECT_NE(run.output.find(" and 65600 words kept"), std::string::npos) << run.output;
}

// Every (code, character) pair of Wubi 86 whose character is in GB 2312 and
// whose code has at most 12 keys comes back from the compiled database.
TEST(Import, Wubi86KeepsEveryPairOfGB2312) {
    const fs::path wubi = "/usr/share/rime-data/wubi86.dict.yaml";
    if (!fs::exists(wubi)) GTEST_SKIP() << "rime-data-wubi is not installed";
    ScratchDir dir;
    ASSERT_EQ(runTool(MABREL_PATH, {"/iChineseGB", wubi.string(), "w.txt"}, dir.path()).status, 0);
    ASSERT_EQ(runTool(MABREL_PATH, {"w.txt", "w.pdb"}, dir.path()).status, 0);
    ASSERT_EQ(runTool(MABREL_PATH, {"/u", "w.pdb", "back.txt"}, dir.path()).status, 0);
    // Compared as GB 2312 bytes: a few characters come back as another code
    // point of the same bytes.
    CharSetConverter gb(kChineseGB);
    std::set<std::pair<std::string, std::string>> compiled;
    for (const auto& [code, characters] : codeTable(readFile(dir.path() / "back.txt"))) {
        for (std::size_t at = 0; at < characters.size();) {
            const auto length = static_cast<std::size_t>(utf8Length(characters.substr(at)));
            compiled.emplace(code, gb.fromUtf8(characters.substr(at, length)));
            at += length;
        }
    }
    std::ifstream table(wubi);
    std::size_t checked = 0;
    bool body = false;
    for (std::string line; std::getline(table, line);) {
        body = body || line == "...";
        const std::size_t tab = line.find('\t');
        if (!body || line.starts_with("#") || tab == std::string::npos) continue;
        const std::string text = line.substr(0, tab);
        const std::string code = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
        if (utf8Length(text) != static_cast<int>(text.size()) || code.size() > 12 ||
            gb.fromUtf8(text).size() != 2) {
            continue;
        }
        ++checked;
        EXPECT_TRUE(compiled.contains({code, gb.fromUtf8(text)})) << code << ' ' << text;
    }
    EXPECT_GT(checked, 6763u);
}

}  // namespace
}  // namespace e2e
