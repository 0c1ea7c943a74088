// Runs every case folder under tests/data/e2e/<tool>/<case>:
//   args      one argument a line (may be absent: no arguments)
//   stdout    the expected standard output, byte for byte
//   status    the expected exit status as a shell sees it
//   input/    files copied into the scratch folder before the run (links as links)
//   env       variables for the run, NAME=value a line (may be absent)
//   expect/   files the run must leave, compared byte for byte
//             (databases, named with ".pdb" anywhere, with dates masked
//             unless env sets SOURCE_DATE_EPOCH)
//   absent    names of files the run must not leave, one a line
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tests/e2e/run_tool.h"

namespace {

using namespace e2e;

struct CaseFolder {
    std::string tool;
    fs::path path;
};

std::vector<CaseFolder> allCases() {
    std::vector<CaseFolder> cases;
    for (const char* tool : {"mabrel", "tosker"}) {
        const fs::path root = fs::path(TEST_DATA_DIR) / "e2e" / tool;
        if (!fs::exists(root)) continue;
        for (const auto& entry : fs::directory_iterator(root)) {
            if (entry.is_directory()) cases.push_back({tool, entry.path()});
        }
    }
    std::sort(cases.begin(), cases.end(),
              [](const CaseFolder& a, const CaseFolder& b) { return a.path < b.path; });
    return cases;
}

std::vector<std::string> linesOf(const fs::path& path) {
    std::vector<std::string> lines;
    if (!fs::exists(path)) return lines;
    std::istringstream in(readFile(path));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Names are judged as the tools judge them: ".PDB" anywhere in the name.
bool isDatabase(const fs::path& path) {
    std::string name = path.filename().string();
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name.find(".PDB") != std::string::npos;
}

Environment environmentOf(const fs::path& path) {
    Environment environment;
    for (const std::string& line : linesOf(path)) {
        const std::size_t equals = line.find('=');
        environment.emplace_back(line.substr(0, equals),
                                 equals == std::string::npos ? "" : line.substr(equals + 1));
    }
    return environment;
}

void PrintTo(const CaseFolder& c, std::ostream* os) {
    *os << c.path;
}

class CliCase : public ::testing::TestWithParam<CaseFolder> {};

TEST_P(CliCase, MatchesExpectations) {
    const CaseFolder& c = GetParam();
    ScratchDir scratch;
    if (fs::exists(c.path / "input")) {
        fs::copy(c.path / "input", scratch.path(),
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }

    const std::string program = c.tool == "mabrel" ? MABREL_PATH : TOSKER_PATH;
    const Environment environment = environmentOf(c.path / "env");
    const bool datesFixed = std::any_of(environment.begin(), environment.end(), [](const auto& v) {
        return v.first == "SOURCE_DATE_EPOCH";
    });
    const RunResult run = runTool(program, linesOf(c.path / "args"), scratch.path(), environment);

    EXPECT_EQ(run.output, readFile(c.path / "stdout"));
    EXPECT_EQ(run.status, std::stoi(readFile(c.path / "status")));

    if (fs::exists(c.path / "expect")) {
        for (const auto& entry : fs::directory_iterator(c.path / "expect")) {
            const fs::path produced = scratch.path() / entry.path().filename();
            ASSERT_TRUE(fs::exists(produced)) << produced;
            std::string expected = readFile(entry.path());
            std::string actual = readFile(produced);
            if (isDatabase(produced) && !datesFixed) {
                expected = maskDates(expected);
                actual = maskDates(actual);
            }
            EXPECT_EQ(actual, expected) << "contents of " << entry.path().filename();
        }
    }
    for (const std::string& name : linesOf(c.path / "absent")) {
        EXPECT_FALSE(fs::exists(scratch.path() / name)) << name << " should not exist";
    }
}

std::string caseName(const ::testing::TestParamInfo<CaseFolder>& info) {
    std::string name = info.param.tool + "_" + info.param.path.filename().string();
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, CliCase, ::testing::ValuesIn(allCases()), caseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CliCase);

}  // namespace
