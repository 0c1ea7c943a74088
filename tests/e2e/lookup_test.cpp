// Mabrel /t on the compiled examples, one case per kind of line, with
// expectations taken from the example sources; and on generated sources,
// where every pair of the code table passes as a check line and every
// character lists every code it has.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <sstream>

#include "foundation/text_encoding.h"
#include "tests/e2e/run_tool.h"

namespace {

using namespace e2e;

const std::string kBanner = "\r \rQalto input method maintain program, Version 2.0\n\n";

// Runs `Mabrel /t` with `args` in `folder`, `input` on its standard input.
RunResult lookUp(const fs::path& folder, const std::string& args, const std::string& input) {
    writeFile(folder / "input.txt", input);
    return runTool("/bin/sh", {"-c", "exec \"$0\" /t " + args + " < input.txt", MABREL_PATH},
                   folder);
}

class Examples : public ScratchDir {
  public:
    Examples() {
        fs::copy(EXAMPLES_DIR, path(), fs::copy_options::recursive);
        for (const char* name : {"pinyin", "shapes", "kana"}) {
            const std::string stem = name;
            runTool(MABREL_PATH, {stem + ".txt", stem + ".pdb"}, path());
        }
        runTool(TOSKER_PATH, {"phrase-chinesegb.txt", "phrase.pdb"}, path());
    }
};

struct LookupCase {
    const char* what;
    const char* args;
    std::string input;
    std::string output;
    int status;
};

// "zhong" padded with blanks to `bytes` bytes.
std::string paddedZhong(std::size_t bytes) {
    return "zhong" + std::string(bytes - 5, ' ') + "\n";
}

const LookupCase kCases[] = {
    {"code lines, with and without completions", "pinyin.pdb", "a\nb\nzhong\nx\n",
     "a: 啊 阿 | 爱 哎 矮 艾 安 按 暗 岸\n"
     "b: - | 八 吧 把 爸 巴 白 百 摆 败 半 +7\n"
     "zhong: 中 重 种 钟\n"
     "x: - | 行 星 形 性 兴\n",
     0},
    {"the WildChar", "pinyin.pdb", "d?\n?ai\n",
     "d?: 大 打 达 的 得 地 地 第 弟 低 的 都 读 度 独 | 都 斗 豆\n"
     "?ai: 白 百 摆 败 还 海 孩 害\n",
     0},
    {"characters of style 1, the longest code first", "shapes.pdb", "晶 森\n日\n",
     "晶: aaa aa\n森: ddd dd\n日: a\n", 0},
    {"characters of style 1, equal lengths in entry order", "kana.pdb", "しつ\n",
     "し: shi si\nつ: tsu tu\n", 0},
    {"characters of style 2, in the CharSet's bytes and without a code", "pinyin.pdb",
     "长 重\n\xd6\xd0\n国\n", "长: chang zhang\n重: chong zhong\n中: zhong\n国: -\n", 0},
    {"a phrase database", "pinyin.pdb phrase.pdb", "中\n",
     "中: zhong\n  中国 中国人 中国人民 中华 中华人民共和国\n", 0},
    {"a failing check file", "pinyin.pdb", "// checks\nde 的 地\r\nde 人\n\nd? 都\n",
     "L3: de: 人 not found, has 的 得 地\n3 checks, 1 failed\n", 1},
    {"a passing check file", "pinyin.pdb", "shi 十时\nwo 我\n", "2 checks, 0 failed\n", 0},
    {"a character the CharSet lacks", "pinyin.pdb", "한\nni 한\n",
     "한: not in ChineseGB\nL2: ni: 한 not found, has 你 呢 泥\n1 check, 1 failed\n", 1},
    {"a character with no UTF-8 form", "pinyin.pdb", "\xaa\xa1\n", "<AA A1>: -\n", 0},
    {"lines of no kind", "pinyin.pdb", "xx!\n中a\nab cd\nab中\n",
     "L1: not a code or a character\nL2: not a code or a character\n"
     "L3: not a code or a character\nL4: not a code or a character\n",
     0},
    {"UTF-8 lines of two-byte characters, whose bytes are also GB's 十 and 越", "pinyin.pdb",
     "shi \xca\xae\nyue \xd4\xbd\n",
     "L1: shi: \xca\xae not found, has 是 十 时 事 市\n"
     "L2: yue: \xd4\xbd not found, has 月 乐 越 约\n2 checks, 2 failed\n",
     1},
    {"lines of 65,536 bytes and one more", "pinyin.pdb",
     paddedZhong(65536) + paddedZhong(65537) + "zhong\n",
     "zhong: 中 重 种 钟\nL2: line too long\nzhong: 中 重 种 钟\n", 1},
    {"a phrase database of another CharSet", "shapes.pdb phrase.pdb", "a\n",
     "\r \r\aMessage 405 : \"phrase.pdb\" is for another CharSet\n", 405 & 0xFF},
};

TEST(Lookup, AnswersEveryKindOfLine) {
    Examples examples;
    for (const LookupCase& c : kCases) {
        const RunResult run = lookUp(examples.path(), c.args, c.input);
        EXPECT_EQ(run.output, kBanner + c.output) << c.what;
        EXPECT_EQ(run.status, c.status) << c.what;
    }
}

// A generated ChineseGB source of one coding style over few keys, so that
// codes share characters and characters have several codes.
struct Generated {
    std::string source;
    std::map<std::string, std::set<std::string>> codesOf;  // by character bytes
    std::vector<std::pair<std::string, std::string>> pairs;
};

Generated generate(int style, unsigned seed) {
    std::mt19937 random(seed);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    Generated g;
    g.source = "[Description]\nCharSet=ChineseGB\nID=Gen1\nFullName=Generated\nName=Gen\n";
    g.source += "CodingStyle=" + std::to_string(style) + "\nUsedCodes=abcd\nMaxCodes=4\n";
    if (style == 1) {
        g.source += "IndexDepth=" + std::to_string(below(3)) +
                    "\nNoSort=" + std::to_string(below(2)) + "\n";
    }
    g.source += "\n[Text]\n";
    std::set<std::pair<std::string, std::string>> taken;
    for (int line = 0; line < 300; ++line) {
        std::string code(1 + below(4), 'a');
        for (char& key : code) key = static_cast<char>('a' + below(4));
        const std::string character = {static_cast<char>(0xB0 + below(3)),
                                       static_cast<char>(0xA1 + below(30))};
        if (!taken.insert({code, character}).second) continue;
        g.source += code + " " + character + "\n";
        g.codesOf[character].insert(code);
        g.pairs.emplace_back(code, character);
    }
    return g;
}

TEST(Lookup, EveryPairChecksAndEveryCharacterListsItsCodes) {
    CharSetConverter utf8(0x10);
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const int style = 1 + static_cast<int>(seed % 2);
        const Generated g = generate(style, seed);
        ScratchDir scratch;
        writeFile(scratch.path() / "gen.txt", g.source);
        ASSERT_EQ(runTool(MABREL_PATH, {"gen.txt", "gen.pdb"}, scratch.path()).status, 0);

        // Check lines in the CharSet's bytes, character lines in UTF-8.
        std::string input;
        for (const auto& [code, character] : g.pairs) input += code + " " + character + "\n";
        for (const auto& entry : g.codesOf) input += utf8.toUtf8(entry.first) + "\n";
        const RunResult run = lookUp(scratch.path(), "gen.pdb", input);
        EXPECT_EQ(run.status, 0) << "seed " << seed;

        std::istringstream lines(run.output.substr(kBanner.size()));
        std::string line;
        for (const auto& [character, codes] : g.codesOf) {
            ASSERT_TRUE(std::getline(lines, line));
            const std::string head = utf8.toUtf8(character) + ": ";
            ASSERT_TRUE(line.starts_with(head)) << line;
            std::istringstream listed(line.substr(head.size()));
            std::vector<std::string> order;
            for (std::string code; listed >> code;) order.push_back(code);
            EXPECT_EQ(std::set<std::string>(order.begin(), order.end()), codes) << line;
            EXPECT_EQ(order.size(), codes.size()) << line;
            // Style 1 puts the primary entry, the longest code, first.
            for (const std::string& code : order) {
                EXPECT_TRUE(style == 2 || code.size() <= order.front().size()) << line;
            }
        }
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, std::to_string(g.pairs.size()) + " checks, 0 failed");
    }
}

// The console commands in hostile surroundings, one shell script a case:
// standard output full, a pipe whose reader has gone (read to its end or
// never), standard input a folder or a line without end.
TEST(HostileSurroundings, ConsoleRunsEndAsTheyShould) {
    const std::string kWriteError = "\aMessage 102 : Write file \"standard output\" error\n";
    const std::pair<const char*, std::string> cases[] = {
        {"yes zhong | timeout 20 $M /t pinyin.pdb 2>e | head -1 >/dev/null; "
         "echo rc=${PIPESTATUS[1]}; cat e",
         "rc=102\n" + kWriteError},
        {"mkfifo f; exec 3<>f 4>f 3<&-; $M /t pinyin.pdb <pinyin.checks >&4 2>e; echo rc=$?; cat e",
         "rc=102\n" + kWriteError},
        {"for c in \"$M /t pinyin.pdb\" \"$M /s pinyin.txt\" \"$T /s phrase.pdb\"; do"
         " $c <pinyin.checks >/dev/full 2>e; echo rc=$?; cat e; done",
         "rc=102\n" + kWriteError + "rc=102\n" + kWriteError + "rc=102\n" + kWriteError},
        {"$M /t pinyin.pdb <.; echo rc=$?",
         "\r \r\aMessage 101 : Read file \"standard input\" error\nrc=101\n"},
        {"head -c 50000000 /dev/zero | $M /t pinyin.pdb; echo rc=$?", "L1: line too long\nrc=1\n"},
        // Past the bound of every input: a large file unread, a pipe at the byte past it.
        {"truncate -s 268435457 big; $M /t pinyin.pdb <big >o; echo rc=$?; rm big;"
         " $M /t pinyin.pdb </dev/zero >o; echo rc=$?; grep -c standard o",
         "rc=101\nrc=101\n1\n"},
    };
    Examples examples;
    for (const auto& [script, tail] : cases) {
        const RunResult run = runTool("/bin/bash", {"-c", script}, examples.path(),
                                      {{"M", MABREL_PATH}, {"T", TOSKER_PATH}});
        EXPECT_TRUE(run.output.ends_with(tail)) << script << "\n" << run.output;
        fs::remove(examples.path() / "f");
    }
}

}  // namespace
