// The bound of whole-file reads: a regular file is judged by its size before
// it is read, anything else is read to the bound and one byte beyond.
#include "foundation/input_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <thread>

#include "foundation/common_messages.h"
#include "tests/support/files.h"

namespace {

namespace fs = std::filesystem;

struct BoundCase {
    const char* name;
    std::function<std::string(const fs::path& dir)> make;  // the file's name
    int status;
    std::size_t kept;
};

void PrintTo(const BoundCase& c, std::ostream* os) {
    *os << c.name;
}

class InputFileBound : public ::testing::TestWithParam<BoundCase> {};

TEST_P(InputFileBound, ReadsOrRefuses) {
    const BoundCase& c = GetParam();
    test_support::ScratchDir dir;
    const std::string name = c.make(dir.path());
    std::thread writer;
    if (fs::is_fifo(name)) {
        writer = std::thread([name] { std::ofstream(name, std::ios::binary) << "abc"; });
    }
    const QuietReports quiet;
    std::vector<uint8_t> bytes;
    EXPECT_EQ(readInputFile(name.c_str(), bytes, kOpenFileFail), c.status);
    EXPECT_EQ(bytes.size(), c.kept);
    if (writer.joinable()) writer.join();
}

std::string sparse(const fs::path& dir, std::size_t size) {
    const fs::path path = dir / "sparse";
    test_support::writeFile(path, "");
    fs::resize_file(path, size);
    return path.string();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, InputFileBound,
    ::testing::Values(
        BoundCase{"SparseOverTheBoundUnread",
                  [](const fs::path& d) { return sparse(d, kMaxInputFileBytes + 1); }, 101, 0},
        BoundCase{"RegularUnderTheBound", [](const fs::path& d) { return sparse(d, 70000); }, 0,
                  70000},
        BoundCase{"DeviceToTheBoundAndOne",
                  [](const fs::path&) { return std::string("/dev/zero"); }, 101,
                  kMaxInputFileBytes},
        BoundCase{"Fifo",
                  [](const fs::path& d) {
                      const std::string path = (d / "fifo").string();
                      mkfifo(path.c_str(), 0600);
                      return path;
                  },
                  0, 3},
        BoundCase{"Folder", [](const fs::path& d) { return d.string(); }, 100, 0},
        BoundCase{"Missing", [](const fs::path& d) { return (d / "none").string(); }, 100, 0}),
    [](const ::testing::TestParamInfo<BoundCase>& info) { return std::string(info.param.name); });

}  // namespace
