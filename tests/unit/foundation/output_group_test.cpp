#include "foundation/output_group.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "foundation/output_seams.h"
#include "tests/support/files.h"
#include "tests/unit/foundation/test_tool.h"

namespace {

using namespace test_support;

int calls = 0, failAt = 0, signalAt = 0;

bool failsNow() {
    if (++calls == signalAt) std::raise(SIGTERM);
    if (calls != failAt) return false;
    errno = EIO;
    return true;
}
int failingTemporary(char* pattern, int flags) {
    return failsNow() ? -1 : mkostemp(pattern, flags);
}
int failingRename(const char* from, const char* to) {
    return failsNow() ? -1 : std::rename(from, to);
}

// Two old files, a new one and an old list taken away; each call of either
// seam fails in turn (six temporaries and files set aside, six renames), or a
// signal comes with a rename: every time the old files stay and nothing else.
TEST(OutputGroup, EveryFailureAndSignalLeavesTheOldFiles) {
    test_tool::use();
    for (auto seams : {OutputSeams{failingTemporary}, OutputSeams{mkostemp, failingRename}}) {
        for (int at = 1; at <= 7; ++at) {
            for (bool signal : {false, true}) {
                ScratchDir dir;
                writeFile(dir / "a.txt", "old a");
                writeFile(dir / "a.bmp", "old b");
                writeFile(dir / "a-left-out.txt", "old list");
                calls = 0, failAt = signal ? 0 : at, signalAt = signal ? at : 0;
                testing::internal::CaptureStdout();
                const pid_t child = signal ? fork() : 0;
                if (child == 0) {
                    outputSeams = seams;
                    OutputGroup group;
                    for (const char* name : {"a.txt", "a.bmp", "aHDD.bmp"}) {
                        group.add((dir / name).string(), std::string("new ") + name);
                    }
                    group.remove((dir / "a-left-out.txt").string());
                    const int rc = group.commit();
                    outputSeams = {};
                    if (signal) _exit(rc);
                    EXPECT_EQ(rc, at == 7                                   ? 0
                                  : seams.rename == failingRename || at > 3 ? 102
                                                                            : 103);
                }
                int status = 0;
                if (signal) waitpid(child, &status, 0);
                testing::internal::GetCapturedStdout();
                if (at == 7) {
                    EXPECT_EQ(readFile(dir / "a.bmp"), "new a.bmp");
                    EXPECT_EQ(dir.listing(), "a.bmp\na.txt\naHDD.bmp\n");
                    continue;
                }
                EXPECT_EQ(WIFSIGNALED(status) ? WTERMSIG(status) : 0, signal ? SIGTERM : 0);
                EXPECT_EQ(readFile(dir / "a.txt") + readFile(dir / "a.bmp"), "old aold b") << at;
                EXPECT_EQ(readFile(dir / "a-left-out.txt"), "old list") << at;
                EXPECT_EQ(dir.listing(), "a-left-out.txt\na.bmp\na.txt\n") << at << signal;
            }
        }
    }
}

}  // namespace
