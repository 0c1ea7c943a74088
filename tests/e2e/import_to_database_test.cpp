// "/i" to a database on generated tables and word lists: the databases and
// the lists of what was left out are those of "/i" to text followed by
// "Mabrel /f" and "Tosker /f" on what it wrote. Every tenth case passes the
// format's limits, so that both fits leave something out.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "foundation/char_sets.h"
#include "foundation/text_encoding.h"
#include "tests/e2e/run_tool.h"

namespace e2e {
namespace {

const Environment kFixedDate{{"SOURCE_DATE_EPOCH", "1000000000"}};
const char* const kBeside[] = {".pdb", "-left-out.txt", "-phrases.pdb", "-phrases-left-out.txt"};

class Generator {
  public:
    explicit Generator(unsigned seed) : random_(seed) {}
    int below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    // One of the 3,666 characters of GB 2312 rows B0 to D6, in UTF-8.
    std::string character(int k) {
        char bytes[3] = {};
        indexToChar(kChineseGB, static_cast<unsigned>(1666 + k % 3666), bytes, sizeof bytes);
        return gb_.toUtf8(bytes);
    }
    std::string code(int keys) {
        std::string code(static_cast<std::size_t>(1 + below(4)), 'a');
        for (char& key : code) key = static_cast<char>('a' + below(keys));
        return code;
    }
    // A word; past the limits, 2,100 of them begin with one character.
    std::string word(int i, bool large) {
        std::string word = character(large ? 0 : below(3666)) + character(i);
        for (int n = below(3); n > 0; --n) word += character(below(3666));
        return word;
    }

  private:
    std::mt19937 random_;
    CharSetConverter gb_{kChineseGB};
};

// The files beside a run's destination `stem`, by what follows the stem.
std::map<std::string, std::string> filesBeside(const ScratchDir& dir, const std::string& stem) {
    std::map<std::string, std::string> files;
    for (const char* suffix : kBeside) {
        if (fs::exists(dir / (stem + suffix))) files[suffix] = readFile(dir / (stem + suffix));
    }
    return files;
}

void run(const char* tool, const std::vector<std::string>& args, const ScratchDir& dir) {
    const RunResult result = runTool(tool, args, dir.path(), kFixedDate);
    ASSERT_EQ(result.status, 0) << args[0] << ' ' << args[1] << result.output.substr(0, 800);
}

TEST(ImportToDatabase, MabrelGivesTheDatabasesOfTheTextPath) {
    for (int c = 0; c < 150; ++c) {
        SCOPED_TRACE(c);
        Generator generate(static_cast<unsigned>(c));
        const bool large = c % 10 == 9;
        const int keys = 2 + generate.below(25);
        std::string table = "%ename Gen\n%chardef begin\n";
        for (int i = large ? 33000 : 1 + generate.below(300); i > 0; --i) {
            table += (large ? generate.code(26) + generate.code(26) : generate.code(keys)) + ' ' +
                     generate.character(large ? i : generate.below(3666)) + '\n';
        }
        for (int i = large ? 2100 : generate.below(20); i > 0; --i) {
            table += generate.code(keys) + ' ' + generate.word(i, large) + '\n';
        }
        ScratchDir dir;
        writeFile(dir / "t.cin", table + "%chardef end\n");
        run(MABREL_PATH, {"/i", "t.cin", "d.pdb"}, dir);
        run(MABREL_PATH, {"/i", "t.cin", "s.txt"}, dir);
        run(MABREL_PATH, {"/f", "s.txt", "s.pdb"}, dir);
        if (fs::exists(dir / "s-phrases.txt")) {
            run(TOSKER_PATH, {"/f", "s-phrases.txt", "s-phrases.pdb"}, dir);
        }
        EXPECT_EQ(filesBeside(dir, "d"), filesBeside(dir, "s"));
        EXPECT_TRUE(!large || filesBeside(dir, "d").size() == 4u);
    }
}

TEST(ImportToDatabase, ToskerGivesTheDatabaseOfTheTextPath) {
    for (int c = 0; c < 100; ++c) {
        SCOPED_TRACE(c);
        Generator generate(static_cast<unsigned>(1000 + c));
        const bool large = c % 10 == 9;
        std::string list;
        for (int i = large ? 2100 : 1 + generate.below(100); i > 0; --i) {
            list += generate.word(i, large) + '\t' + std::to_string(generate.below(1000)) + '\n';
        }
        ScratchDir dir;
        writeFile(dir / "w.txt", list);
        run(TOSKER_PATH, {"/i", "w.txt", "d.pdb"}, dir);
        run(TOSKER_PATH, {"/i", "w.txt", "s.txt"}, dir);
        run(TOSKER_PATH, {"/f", "s.txt", "s.pdb"}, dir);
        EXPECT_EQ(filesBeside(dir, "d"), filesBeside(dir, "s"));
        EXPECT_TRUE(!large || filesBeside(dir, "d").size() == 2u);
    }
}

}  // namespace
}  // namespace e2e
