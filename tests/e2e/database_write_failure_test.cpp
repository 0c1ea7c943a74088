// A database that cannot be written whole is reported and removed: the
// destination is a link to a device that is always full.
#include <gtest/gtest.h>

#include "tests/e2e/run_tool.h"

namespace {

using namespace e2e;

TEST(DatabaseWriteFailure, ReportsMessage102AndLeavesNoFile) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
    ScratchDir scratch;
    const fs::path source =
        fs::path(TEST_DATA_DIR) / "e2e" / "mabrel" / "coder_style1_repeats" / "input" / "src.txt";
    fs::copy_file(source, scratch.path() / "src.txt");
    fs::create_symlink("/dev/full", scratch.path() / "x.pdb");

    const RunResult run = runTool(MABREL_PATH, {"src.txt", "x.pdb"}, scratch.path());

    EXPECT_EQ(run.status, 102);
    EXPECT_EQ(run.output,
              "\r \rQalto input method maintain program, Version 2.0\n\n"
              "\r \rConverting text \"src.txt\" => input method \"x.pdb\"...\n\n"
              "\r \r[Text] Start coding input method at line 10...\n"
              "\r \r\aL14, [Text], Message 905: Duplicate HanZi \"\xB0\xA2\" in \"bc\xB0\xA2\n\"\n"
              "\r-\r|\r/\r \r"
              "\r \r\aL15, [Text], Message 102: Write file \"x.pdb\" error\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(scratch.path() / "x.pdb")));
}

}  // namespace
