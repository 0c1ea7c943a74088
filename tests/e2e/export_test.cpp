// Mabrel /e on the bundled shapes example: every engine's table holds the
// pairs of its source (tests/data/export/shapes-pairs.txt, "code text" in
// the handheld's order), and what the engines cannot hold is listed.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/e2e/run_tool.h"

namespace {

using namespace e2e;

struct Format {
    const char* name;
    const char* dest;
    const char* begin;  // the line before the pairs
    const char* end;    // the line after them; empty: the end of the file
    bool textFirst;     // "text TAB code"
};

const Format kFormats[] = {
    {"cin", "shapes.cin", "%chardef begin", "%chardef end", false},
    {"FCITX5", "shapes.fcitx5", "[Data]", "", false},
    {"fcitx", "shapes.fcitx", "[Data]", "", false},
    {"Rime", "shapes.dict.yaml", "...", "", true},
    {"ibus", "shapes.ibus", "BEGIN_TABLE", "END_TABLE", false},
};

// The pairs of the table as "code text", and whether weights, where given,
// fall from line to line.
std::string pairsOf(const std::string& table, const Format& format, bool& falling) {
    std::istringstream lines(table);
    std::string line;
    while (std::getline(lines, line) && line != format.begin) {
    }
    std::string pairs;
    long last = -1;
    falling = true;
    while (std::getline(lines, line) && (line.empty() || line != format.end)) {
        if (line.empty()) continue;
        std::istringstream fields(line);
        std::string first, second;
        long weight = -1;
        fields >> first >> second >> weight;
        if (weight >= 0 && last >= 0 && weight >= last) falling = false;
        last = weight;
        pairs += format.textFirst ? second + " " + first + "\n" : first + " " + second + "\n";
    }
    return pairs;
}

TEST(Export, EveryEngineGetsThePairsInOrder) {
    const std::string expected = readFile(fs::path(TEST_DATA_DIR) / "export" / "shapes-pairs.txt");
    for (const Format& format : kFormats) {
        ScratchDir folder;
        fs::copy(EXAMPLES_DIR, folder.path(), fs::copy_options::recursive);
        const RunResult run =
            runTool(MABREL_PATH, {std::string("/e") + format.name, "shapes.txt", format.dest},
                    folder.path());
        ASSERT_EQ(run.status, 0) << format.name << ":\n" << run.output;
        bool falling = false;
        EXPECT_EQ(pairsOf(readFile(folder.path() / format.dest), format, falling), expected)
            << format.name;
        EXPECT_TRUE(falling) << format.name;
        const std::string leftOut = readFile(folder.path() / "shapes-left-out.txt");
        EXPECT_NE(leftOut.find("0\t\t*\tWildChar"), std::string::npos) << format.name;
        EXPECT_NE(leftOut.find("0\t\t[Help]\t"), std::string::npos) << format.name;
    }
}

TEST(Export, RefusesUnknownFormatsAndRimeNames) {
    ScratchDir folder;
    RunResult run = runTool(MABREL_PATH, {"/escim", "a.txt", "b.txt"}, folder.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("Invalid format \"scim\""), std::string::npos) << run.output;
    run = runTool(MABREL_PATH, {"/erime", "a.txt", "b.yaml"}, folder.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("Invalid filename"), std::string::npos) << run.output;
}

}  // namespace
