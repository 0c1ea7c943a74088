#include "foundation/output_group.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <memory>

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
    for (auto seams :
         {OutputSeams{failingTemporary}, OutputSeams{mkostemp, failingRename, failingRename}}) {
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

// A file staged ahead of its group appears only when the group commits,
// and is gone when the group fails or is never committed; a device, or a
// temporary that cannot be made, is refused without a message.
TEST(OutputGroup, AStagedFileWaitsForItsGroup) {
    test_tool::use();
    const OutputProducer produce = [](OutputPieces& pieces) { pieces.append("staged"); };
    enum Ending { kCommitted, kGroupFails, kNeverCommitted, kDevice, kNoTemporary };
    for (Ending ending : {kCommitted, kGroupFails, kNeverCommitted, kDevice, kNoTemporary}) {
        if (ending == kDevice && !fs::exists("/dev/full")) continue;
        ScratchDir dir;
        writeFile(dir / "a.txt", "old");
        if (ending == kDevice) fs::create_symlink("/dev/full", dir / "b.txt");
        calls = 0, failAt = ending == kNoTemporary ? 1 : 0, signalAt = 0;
        outputSeams = OutputSeams{failingTemporary};
        testing::internal::CaptureStdout();
        auto staged = std::make_unique<OutputFile>();
        const char* name = ending == kDevice ? "b.txt" : "a.txt";
        const bool ahead = staged->stage((dir / name).string().c_str(), produce);
        outputSeams = {};
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << ending;
        EXPECT_EQ(ahead, ending != kDevice && ending != kNoTemporary) << ending;
        testing::internal::CaptureStdout();
        if (ahead && ending != kNeverCommitted) {
            OutputGroup group;
            group.add((dir / "a.txt").string(), std::move(staged));
            if (ending == kGroupFails) group.add((dir / "none" / "c.txt").string(), "c");
            EXPECT_EQ(group.commit(), ending == kGroupFails ? 103 : 0);
        }
        staged.reset();
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(readFile(dir / "a.txt"), ending == kCommitted ? "staged" : "old") << ending;
        EXPECT_EQ(dir.listing(), ending == kDevice ? "a.txt\nb.txt\n" : "a.txt\n") << ending;
    }
}

}  // namespace
