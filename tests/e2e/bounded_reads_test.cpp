// Files too large to be what they claim, and files without an end: a 2 GB
// sparse database is judged from its header and directory, a source above
// 256 MiB is refused before it is read, and /dev/zero is read no further
// than the bound. Each run ends with its message, quickly and in little memory.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <functional>

#include "tests/e2e/run_tool.h"

namespace {

using namespace e2e;
using test_support::be16;
using test_support::be32;

constexpr std::uintmax_t kTwoGigabytes = std::uintmax_t{2} << 30;
constexpr std::uintmax_t kAboveSourceBound = (std::uintmax_t{256} << 20) + 1;

// A database header and directory of `type`: "HEAD" 8888 and "DATA" 8888.
std::string databaseStart(const char* type) {
    std::string bytes(60, '\0');
    bytes += std::string(type) + "dQlt" + std::string(8, '\0') + be16(2);
    bytes += "HEAD" + be16(8888) + be32(100) + "DATA" + be16(8888) + be32(164);
    return bytes;
}

std::function<void(const fs::path&)> sparse(const char* name, std::string start,
                                            std::uintmax_t size) {
    return [=](const fs::path& dir) {
        writeFile(dir / name, start);
        fs::resize_file(dir / name, size);
    };
}

std::function<void(const fs::path&)> linkToZero(const char* name) {
    return [=](const fs::path& dir) { fs::create_symlink("/dev/zero", dir / name); };
}

struct BoundCase {
    const char* name;
    bool mabrel;
    std::function<void(const fs::path&)> setUp;
    std::vector<std::string> args;
    int status;
    std::string lastLine;
    long maxKilobytes;  // 0: the bound of a source is read
};

const std::string kNotPhrases = "\r \r\aMessage 400 : \"db.pdb\" is not phrase database\n";
const std::string kNotInputMethod =
    "\r \r\aMessage 400 : \"db.pdb\" is not input method database\n";
const std::string kDamaged = "\r \r\aMessage 403 : \"db.pdb\" is damaged\n";

std::vector<BoundCase> boundCases() {
    const long kSmall = 64 * 1024;
    return {
        {"tosker_2gb_of_another_type",
         false,
         sparse("db.pdb", databaseStart("IMEM"), kTwoGigabytes),
         {"db.pdb", "x.txt"},
         144,
         kNotPhrases,
         kSmall},
        {"tosker_2gb_phrase_database",
         false,
         sparse("db.pdb", databaseStart("CIZU"), kTwoGigabytes),
         {"db.pdb", "x.txt"},
         147,
         kDamaged,
         kSmall},
        {"tosker_statistics_of_2gb",
         false,
         sparse("db.pdb", databaseStart("CIZU"), kTwoGigabytes),
         {"/s", "db.pdb"},
         147,
         kDamaged,
         kSmall},
        {"mabrel_2gb_of_another_type",
         true,
         sparse("db.pdb", databaseStart("CIZU"), kTwoGigabytes),
         {"db.pdb", "x.txt"},
         144,
         kNotInputMethod,
         kSmall},
        {"mabrel_2gb_input_method",
         true,
         sparse("db.pdb", databaseStart("IMEM"), kTwoGigabytes),
         {"db.pdb", "x.txt"},
         147,
         kDamaged,
         kSmall},
        {"tosker_database_dev_zero",
         false,
         linkToZero("db.pdb"),
         {"db.pdb", "x.txt"},
         144,
         kNotPhrases,
         kSmall},
        {"mabrel_database_dev_zero",
         true,
         linkToZero("db.pdb"),
         {"db.pdb", "x.txt"},
         144,
         kNotInputMethod,
         kSmall},
        {"tosker_source_above_256_mib",
         false,
         sparse("list.txt", "", kAboveSourceBound),
         {"list.txt", "x.pdb"},
         101,
         "\r \r\aMessage 101 : Read file \"list.txt\" error\n",
         kSmall},
        {"mabrel_source_above_256_mib",
         true,
         sparse("src.txt", "", kAboveSourceBound),
         {"src.txt", "x.pdb"},
         101,
         "\r \r\aMessage 101 : Read file \"src.txt\" error\n",
         kSmall},
        {"tosker_source_dev_zero",
         false,
         linkToZero("list.txt"),
         {"list.txt", "x.pdb"},
         101,
         "\r \r\aMessage 101 : Read file \"list.txt\" error\n",
         0},
    };
}

class BoundedRead : public ::testing::TestWithParam<BoundCase> {};

TEST_P(BoundedRead, EndsQuicklyWithItsMessage) {
    const BoundCase& c = GetParam();
    ScratchDir scratch;
    c.setUp(scratch.path());
    const auto start = std::chrono::steady_clock::now();
    const RunResult run = runTool(c.mabrel ? MABREL_PATH : TOSKER_PATH, c.args, scratch.path());
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(run.status, c.status) << run.output;
    EXPECT_TRUE(run.output.ends_with(c.lastLine)) << run.output;
    if (c.args[0] != "/s") {
        EXPECT_FALSE(fs::exists(scratch.path() / c.args.back()));
    }
    if (c.maxKilobytes > 0) {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        EXPECT_LT(usage.ru_maxrss, c.maxKilobytes);
        EXPECT_LT(took, std::chrono::seconds(5));
    }
}

INSTANTIATE_TEST_SUITE_P(All, BoundedRead, ::testing::ValuesIn(boundCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
