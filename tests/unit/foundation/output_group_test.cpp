#include "foundation/output_group.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

// Two old files and a new one; each call of either seam fails in turn (five
// temporaries and files set aside, five renames), or a signal comes with a
// rename: every time the old files stay and nothing else.
TEST(OutputGroup, EveryFailureAndSignalLeavesTheOldFiles) {
    test_tool::use();
    for (auto seams : {OutputSeams{failingTemporary}, OutputSeams{mkostemp, failingRename}}) {
        for (int at = 1; at <= 6; ++at) {
            for (bool signal : {false, true}) {
                ScratchDir dir;
                writeFile(dir / "a.txt", "old a");
                writeFile(dir / "a.bmp", "old b");
                calls = 0, failAt = signal ? 0 : at, signalAt = signal ? at : 0;
                testing::internal::CaptureStdout();
                const pid_t child = signal ? fork() : 0;
                if (child == 0) {
                    outputSeams = seams;
                    OutputGroup group;
                    for (const char* name : {"a.txt", "a.bmp", "aHDD.bmp"}) {
                        group.add((dir / name).string(), std::string("new ") + name);
                    }
                    const int rc = group.commit();
                    outputSeams = {};
                    if (signal) _exit(rc);
                    EXPECT_EQ(rc, at == 6                                   ? 0
                                  : seams.rename == failingRename || at > 3 ? 102
                                                                            : 103);
                }
                int status = 0;
                if (signal) waitpid(child, &status, 0);
                testing::internal::GetCapturedStdout();
                if (at == 6) {
                    EXPECT_EQ(readFile(dir / "a.bmp"), "new a.bmp");
                    EXPECT_EQ(dir.listing(), "a.bmp\na.txt\naHDD.bmp\n");
                    continue;
                }
                EXPECT_EQ(WIFSIGNALED(status) ? WTERMSIG(status) : 0, signal ? SIGTERM : 0);
                EXPECT_EQ(readFile(dir / "a.txt") + readFile(dir / "a.bmp"), "old aold b") << at;
                EXPECT_EQ(dir.listing(), "a.bmp\na.txt\n") << at << signal;
            }
        }
    }
}

// Pieces of every size around the buffer's, appended and put in room; the
// file holds them in order. Streamed to a full device, the run fails with
// 102 and the file beside it keeps its old bytes.
TEST(OutputGroup, ContentsMadeInPiecesAreWrittenWhole) {
    test_tool::use();
    constexpr std::size_t kBuffer = OutputPieces::kBufferSize;
    std::string expected;
    const auto produce = [&](OutputPieces& pieces) {
        for (std::size_t size :
             {std::size_t{1}, kBuffer - 2, std::size_t{3}, kBuffer, 2 * kBuffer + 5}) {
            const std::string piece(size, static_cast<char>('a' + size % 26));
            pieces.append(piece);
            expected += piece;
            const std::size_t room = std::min(size, kBuffer);
            std::fill_n(pieces.room(room), room, 'z');
            pieces.wrote(room / 2);
            expected.append(room / 2, 'z');
        }
    };
    for (bool full : {false, true}) {
        if (full && !fs::exists("/dev/full")) continue;
        ScratchDir dir;
        writeFile(dir / "a.txt", "old");
        if (full) fs::create_symlink("/dev/full", dir / "b.txt");
        expected.clear();
        testing::internal::CaptureStdout();
        {
            OutputGroup group;
            group.add((dir / "a.txt").string(), std::string("new"));
            group.add((dir / "b.txt").string(), produce);
            EXPECT_EQ(group.commit(), full ? 102 : 0);
        }
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(readFile(dir / "a.txt"), full ? "old" : "new");
        if (!full) {
            EXPECT_EQ(readFile(dir / "b.txt"), expected);
        }
        EXPECT_EQ(dir.listing(), "a.txt\nb.txt\n");
    }
}

}  // namespace
