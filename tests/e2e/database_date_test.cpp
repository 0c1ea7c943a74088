// SOURCE_DATE_EPOCH fixes the dates of the databases both tools write; a value
// that cannot be used is named once, right before the database is written,
// and the current time is taken instead. Runs that write no database never
// name it.
#include <gtest/gtest.h>

#include <ctime>

#include "foundation/big_endian.h"
#include "tests/e2e/run_tool.h"

namespace {

using namespace e2e;

const std::string kUnusableLine =
    "\r \rSOURCE_DATE_EPOCH is not a usable time, the current time is used\n";

struct Compile {
    const char* name;
    std::string program;
    std::string source;
    // What the run prints after the banner and the "Converting" lines, up to
    // the writer, and after the writer.
    std::string beforeWriter;
    std::string afterWriter;
};

std::vector<Compile> compiles() {
    return {
        {"Mabrel", MABREL_PATH,
         "[Description]\nCharSet=ChineseGB\nID=Date\nFullName=Date test\nName=Date\n"
         "CodingStyle=2\nUsedCodes=ab\nMaxCodes=2\n[Text]\na \xB0\xA1\n",
         "\r \r[Text] Start coding input method at line 9...\n\r-\r \r", "\r \r\nConvert OK.\n"},
        {"Tosker", TOSKER_PATH, "[Description]\nCharSet=ChineseGB\n[Phrase]\n\xB0\xA1\xB0\xA2\n",
         "\r \rNo MaxPhraseLength=?? setting, include all phrases\n"
         "\r \r[Phrase] Start coding phrase at line 3...\n\r \r",
         "\r \rTotal 1 phrases\n\r \r\nConvert OK.\n"},
    };
}

struct Dated {
    RunResult run;
    std::string database;
};

Dated compileWith(const Compile& c, const fs::path& dir, const Environment& environment) {
    writeFile(dir / "src.txt", c.source);
    Dated result{runTool(c.program, {"src.txt", "out.pdb"}, dir, environment), ""};
    result.database = readFile(dir / "out.pdb");
    return result;
}

// The three header dates, each read as a u32; empty for a short file.
std::vector<uint32_t> datesOf(const std::string& database) {
    if (database.size() < 48) return {};
    const auto* bytes = reinterpret_cast<const uint8_t*>(database.data());
    return {getU32BE(bytes + 36), getU32BE(bytes + 40), getU32BE(bytes + 44)};
}

uint32_t nowAsDatabaseDate() {
    return static_cast<uint32_t>(std::time(nullptr)) + 2082844800u;
}

class DatabaseDate : public ::testing::TestWithParam<Compile> {};

TEST_P(DatabaseDate, FixedEpochGivesTheSameFileTwice) {
    ScratchDir first, second;
    const Environment epoch = {{"SOURCE_DATE_EPOCH", "1000000000"}};
    const Dated a = compileWith(GetParam(), first.path(), epoch);
    const Dated b = compileWith(GetParam(), second.path(), epoch);
    ASSERT_EQ(a.run.status, 0) << a.run.output;
    EXPECT_EQ(datesOf(a.database), (std::vector<uint32_t>{0xB7C07A80, 0xB7C07A80, 0xB7C07A80}));
    EXPECT_TRUE(a.database == b.database);
}

// The line stands between the last pass and the writer's own output, and the
// dates are those of the run's time. An empty value counts as unset: no line.
TEST_P(DatabaseDate, UnusableEpochIsNamedAndTheCurrentTimeUsed) {
    const Compile& c = GetParam();
    for (const char* value : {"1e9", "2212122496", ""}) {
        SCOPED_TRACE(std::string("SOURCE_DATE_EPOCH=") + value);
        ScratchDir scratch;
        const uint32_t before = nowAsDatabaseDate();
        const Dated run = compileWith(c, scratch.path(), {{"SOURCE_DATE_EPOCH", value}});
        const uint32_t after = nowAsDatabaseDate();
        ASSERT_EQ(run.run.status, 0) << run.run.output;
        const std::string line = *value == '\0' ? "" : kUnusableLine;
        EXPECT_TRUE(run.run.output.ends_with(c.beforeWriter + line + c.afterWriter))
            << run.run.output;
        const std::vector<uint32_t> dates = datesOf(run.database);
        ASSERT_EQ(dates.size(), 3u);
        for (uint32_t date : dates) {
            EXPECT_GE(date, before);
            EXPECT_LE(date, after);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothTools, DatabaseDate, ::testing::ValuesIn(compiles()),
                         [](const auto& info) { return std::string(info.param.name); });

// Runs that write no database do not look at the variable.
TEST(DatabaseDate, RunsWritingNoDatabaseStaySilent) {
    struct Case {
        std::string program;
        std::vector<std::string> args;
        int status;
    };
    const std::vector<Case> cases = {
        {MABREL_PATH, {"/cChineseGB", "sample.txt"}, 0},
        {MABREL_PATH, {"src.txt", "out.pdb"}, 138},  // no coded character: 906
        {MABREL_PATH, {"a.txt"}, 2},
        {TOSKER_PATH, {"db.pdb", "back.txt"}, 0},
        {TOSKER_PATH, {"--version"}, 0},
    };
    ScratchDir scratch;
    writeFile(scratch.path() / "src.txt",
              "[Description]\nCharSet=ChineseGB\nID=Date\nFullName=Date test\nName=Date\n"
              "CodingStyle=2\nUsedCodes=ab\nMaxCodes=2\n[Text]\n\xB0\xA1\n");
    writeFile(scratch.path() / "list.txt", compiles()[1].source);
    ASSERT_EQ(runTool(TOSKER_PATH, {"list.txt", "db.pdb"}, scratch.path()).status, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        const RunResult run =
            runTool(c.program, c.args, scratch.path(), {{"SOURCE_DATE_EPOCH", "soon"}});
        EXPECT_EQ(run.status, c.status) << run.output;
        EXPECT_EQ(run.output.find("SOURCE_DATE_EPOCH"), std::string::npos) << run.output;
    }
}

}  // namespace
