// "Mabrel /i" to a database leaves the files of "/i" to text, "Mabrel /f" and
// "Tosker /f" on what it wrote; every thirtieth table passes the format's
// limits, so that both fits leave some out.
#include <gtest/gtest.h>

#include <random>

#include "tests/e2e/run_tool.h"

namespace e2e {
namespace {

TEST(ImportToDatabase, LeavesTheFilesOfTheTextPath) {
    std::mt19937 random(28);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto character = [](int k) {  // one of U+4E00 to U+5C51, in UTF-8
        const auto u = static_cast<unsigned>(0x4E00 + k % 3666);
        return std::string{char(0xE0 | u >> 12), char(0x80 | (u >> 6 & 63)), char(0x80 | (u & 63))};
    };
    const auto code = [&](int length, int keys) {
        std::string code;
        while (length-- > 0) code += static_cast<char>('a' + below(keys));
        return code;
    };
    for (int c = 0; c < 150; ++c) {
        const bool large = c % 30 == 29;  // 33,000 pairs; 2,100 words of one first character
        const int keys = large ? 26 : 2 + below(25);
        std::string table = "%chardef begin\n";
        for (int i = large ? 33000 : 1 + below(300); i > 0; --i) {
            table += code(large ? 8 : 1 + below(4), keys) + ' ' + character(below(3666)) + '\n';
        }
        for (int i = large ? 2100 : 1 + below(20); i > 0; --i) {
            const std::string word = character(large ? 0 : below(3666)) + character(i) +
                                     (below(2) != 0 ? character(below(3666)) : "");
            table += code(1 + below(4), keys) + ' ' + word + '\n';
        }
        ScratchDir dir;
        writeFile(dir / "t.cin", table);
        const std::vector<std::vector<std::string>> runs{{"/i", "t.cin", "d.pdb"},
                                                         {"/i", "t.cin", "s.txt"},
                                                         {"/f", "s.txt", "s.pdb"},
                                                         {"/f", "s-phrases.txt", "s-phrases.pdb"}};
        for (std::size_t r = 0; r < runs.size(); ++r) {  // Mabrel's three, then Tosker's /f
            const RunResult result = runTool(r < 3 ? MABREL_PATH : TOSKER_PATH, runs[r], dir.path(),
                                             {{"SOURCE_DATE_EPOCH", "1"}});
            ASSERT_EQ(result.status, 0) << c << ' ' << runs[r][2] << result.output.substr(0, 800);
        }
        for (const std::string end :
             {".pdb", "-left-out.txt", "-phrases.pdb", "-phrases-left-out.txt"}) {
            EXPECT_EQ(readFile(dir / ("d" + end)), readFile(dir / ("s" + end))) << c << end;
            EXPECT_TRUE(!large || end == ".pdb" || fs::exists(dir / ("d" + end))) << c;
        }
    }
}

}  // namespace
}  // namespace e2e
