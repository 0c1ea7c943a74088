#include "foundation/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "tests/support/files.h"
#include "tests/unit/foundation/test_tool.h"

namespace {

using namespace test_support;

class OutputFileTest : public ::testing::Test {
  protected:
    void SetUp() override { test_tool::use(); }

    // Writes `bytes` to `name` in the scratch folder; the status and what was printed.
    std::pair<int, std::string> write(const std::string& name, const std::string& bytes) {
        const std::string path = (dir / name).string();
        testing::internal::CaptureStdout();
        OutputFile file;
        int rc = file.open(path.c_str());
        if (rc == 0) rc = file.commit(bytes);
        return {rc, testing::internal::GetCapturedStdout()};
    }

    ScratchDir dir;
};

TEST_F(OutputFileTest, ReplacesAFileWholeAndKeepsItsPermissions) {
    writeFile(dir / "a.pdb", "old");
    chmod((dir / "a.pdb").c_str(), 0640);
    fs::create_hard_link(dir / "a.pdb", dir / "other");
    EXPECT_EQ(write("a.pdb", "new bytes").first, 0);
    EXPECT_EQ(readFile(dir / "a.pdb"), "new bytes");
    EXPECT_EQ(readFile(dir / "other"), "old");  // the other link keeps the old bytes
    struct stat status {};
    ASSERT_EQ(stat((dir / "a.pdb").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.listing(), "a.pdb\nother\n");
}

TEST_F(OutputFileTest, FollowsASymbolicLink) {
    fs::create_directory(dir / "real");
    fs::create_symlink("real/target.txt", dir / "link.txt");
    EXPECT_EQ(write("link.txt", "text").first, 0);
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(readFile(dir / "real" / "target.txt"), "text");
    EXPECT_EQ(dir.listing(), "link.txt\nreal\n");
}

TEST_F(OutputFileTest, AnOutputThatIsNotPutInPlaceLeavesNothing) {
    writeFile(dir / "a.pdb", "old");
    {
        OutputFile file;
        ASSERT_EQ(file.open((dir / "a.pdb").c_str()), 0);
        ASSERT_EQ(file.write("new", 3), 0);
    }
    {
        OutputFile file;
        ASSERT_EQ(file.open((dir / "b.pdb").c_str()), 0);
    }
    EXPECT_EQ(readFile(dir / "a.pdb"), "old");
    EXPECT_EQ(dir.listing(), "a.pdb\n");
}

TEST_F(OutputFileTest, FailuresAreReportedWithTheNameAsTyped) {
    const auto [rc, output] = write("none/x.pdb", "bytes");
    EXPECT_EQ(rc, 103);
    EXPECT_NE(output.find("Create file \"" + (dir / "none/x.pdb").string() + "\" fail"),
              std::string::npos);
    fs::create_directory(dir / "folder.pdb");
    EXPECT_EQ(write("folder.pdb", "bytes").first, 103);
    EXPECT_EQ(dir.listing(), "folder.pdb\n");
}

TEST_F(OutputFileTest, ADeviceIsWrittenInPlaceAndAFullOneFails) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
    fs::create_symlink("/dev/full", dir / "x.pdb");
    const auto [rc, output] = write("x.pdb", "bytes");
    EXPECT_EQ(rc, 102);
    EXPECT_NE(output.find("Write file \""), std::string::npos);
    EXPECT_TRUE(fs::is_symlink(dir / "x.pdb"));
    EXPECT_EQ(dir.listing(), "x.pdb\n");
}

TEST_F(OutputFileTest, AFolderThatTakesNoTemporaryLeavesTheFileAsItWas) {
    if (geteuid() == 0) GTEST_SKIP() << "a read-only folder does not stop root";
    fs::create_directory(dir / "ro");
    writeFile(dir / "ro" / "a.txt", "old");
    chmod((dir / "ro").c_str(), 0555);
    EXPECT_EQ(write("ro/a.txt", "new").first, 103);
    EXPECT_EQ(readFile(dir / "ro" / "a.txt"), "old");
    EXPECT_EQ(write("ro/b.txt", "new").first, 103);
    chmod((dir / "ro").c_str(), 0755);
}

// A signal while outputs are being written takes their temporaries away,
// then ends the process.
TEST_F(OutputFileTest, AnInterruptLeavesNothingHalfWritten) {
    writeFile(dir / "old.pdb", "old");
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        const pid_t child = fork();
        if (child == 0) {
            OutputFile replaced, created;
            if (replaced.open((dir / "old.pdb").c_str()) != 0) _exit(1);
            if (created.open((dir / "new.pdb").c_str()) != 0) _exit(1);
            if (replaced.write("new", 3) != 0) _exit(1);
            std::raise(signal);
            _exit(2);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(readFile(dir / "old.pdb"), "old");
        EXPECT_EQ(dir.listing(), "old.pdb\n");
    }
}

}  // namespace
