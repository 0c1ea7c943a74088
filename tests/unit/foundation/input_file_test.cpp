// The bound of whole-file reads: a regular file is judged by its size before
// it is read, anything else is read to the bound and one byte beyond.
#include "foundation/input_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <thread>

#include "foundation/common_messages.h"
#include "tests/support/files.h"

namespace {

namespace fs = std::filesystem;

TEST(InputFileBound, ReadsOrRefusesEachKindOfFile) {
    test_support::ScratchDir dir;
    const auto sparse = [&](const char* name, std::size_t size) {
        test_support::writeFile(dir / name, "");
        fs::resize_file(dir / name, size);
        return (dir / name).string();
    };
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string name;
        int status;
        std::size_t kept;
    } cases[] = {{sparse("over", kMaxInputFileBytes + 1), 101, 0},  // refused unread
                 {sparse("under", 70000), 0, 70000},
                 {"/dev/zero", 101, kMaxInputFileBytes},
                 {fifo, 0, 3},
                 {dir.path().string(), 100, 0},
                 {(dir / "none").string(), 100, 0}};
    const QuietReports quiet;
    for (const auto& c : cases) {
        std::thread writer;
        if (c.name == fifo) writer = std::thread([&] { std::ofstream(fifo) << "abc"; });
        std::vector<uint8_t> bytes;
        EXPECT_EQ(readInputFile(c.name.c_str(), bytes, kOpenFileFail), c.status) << c.name;
        EXPECT_EQ(bytes.size(), c.kept) << c.name;
        if (writer.joinable()) writer.join();
    }
}

TEST(InputFileBound, AFileReadInChunksKeepsEveryByteInItsPlace) {
    test_support::ScratchDir dir;
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{65535}, std::size_t{65536}, std::size_t{3 * 65536 + 7}}) {
        std::string written(size, '\0');
        for (std::size_t i = 0; i < size; ++i) written[i] = static_cast<char>(i * 131 + i / 251);
        test_support::writeFile(dir / "file", written);
        std::string read;
        EXPECT_EQ(readInputFile((dir / "file").string().c_str(), read, kOpenFileFail), 0);
        EXPECT_TRUE(read == written) << size;
    }
}

}  // namespace
