// A run that fails leaves the destination as it was and no other file (no
// temporary one) beside it.
#include "phrase/database_to_text.h"
#include "phrase/text_to_database.h"
#include "tests/unit/phrase/tosker_test_support.h"

namespace {

using namespace tosker_test;

struct FailedRun {
    const char* name;
    bool toText;  // database to text, else text to database
    std::string source;
    int rc;
};

void PrintTo(const FailedRun& c, std::ostream* os) {
    *os << c.name;
}

class FailedRunTest : public Fixture, public ::testing::WithParamInterface<FailedRun> {};

TEST_P(FailedRunTest, LeavesAnExistingDestinationAsItWas) {
    const FailedRun& c = GetParam();
    const fs::path source = writeBytes(c.toText ? "in.pdb" : "in.txt", c.source);
    const fs::path destination = writeBytes(c.toText ? "out.txt" : "out.pdb", "kept\n");
    const Captured run = captured([&] {
        return c.toText ? convertDatabaseToText(tosker, source.c_str(), destination.c_str())
                        : convertTextToDatabase(tosker, source.c_str(), destination.c_str());
    });
    EXPECT_EQ(run.rc, c.rc) << run.output;
    EXPECT_EQ(readFile(destination), "kept\n");
    EXPECT_EQ(dir.listing(),
              source.filename().string() + "\n" + destination.filename().string() + "\n");
}

const std::string kHead = headBody(kChineseGB, 256, 511);

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedRunTest,
    ::testing::Values(
        FailedRun{"TextWithoutPhrases", false, "[Description]\nCharSet=ChineseGB\n[Phrase]\n", 904},
        FailedRun{"DatabaseWithoutHead", true, database({{"DATA", 8888, dataBody(256, {})}}), 400},
        FailedRun{"DamagedBlock", true,
                  database({{"HEAD", 8888, kHead}, {"DATA", 8888, dataBody(0, {{100 | 0x8000}})}}),
                  403}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
