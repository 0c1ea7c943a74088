// Every fcitx 5 table installed, read as libime_tabledict -d writes it,
// as libime saves it and and compressed by zstd.
#include <gtest/gtest.h>

#include "foundation/desktop_tables/binary/binary_tables.h"
#include "tests/e2e/run_tool.h"

namespace e2e {
namespace {

const char* const kDumper = "/usr/bin/libime_tabledict";
const char* const kZstd = "/usr/bin/zstd";

std::vector<fs::path> installedTables() {
    std::vector<fs::path> tables;
    for (const char* folder : {"/usr/share/libime", "/usr/share/fcitx5/table"}) {
        if (!fs::is_directory(folder)) continue;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().string().ends_with(".main.dict")) tables.push_back(entry.path());
    }
    return tables;
}

TEST(LibimeTables, EveryInstalledTableReadsAsItsDump) {
    const std::vector<fs::path> tables = installedTables();
    if (tables.empty() || !fs::exists(kDumper) || !fs::exists(kZstd))
        GTEST_SKIP() << "no fcitx 5 table, libime-bin or zstd installed";
    ScratchDir dir;
    for (const fs::path& table : tables) {
        ASSERT_EQ(runTool(kDumper, {"-d", table.string(), "dump.txt"}, dir.path()).status, 0);
        const std::string dump = readFile(dir.path() / "dump.txt");
        const std::string saved = readFile(table);
        for (const char* level : {"", "-1"}) {
            std::string bytes = saved;
            if (*level) {
                writeFile(dir.path() / "body", saved.substr(8));
                ASSERT_EQ(runTool(kZstd, {"-q", "-f", level, "body", "-o", "body.zst"}, dir.path())
                              .status,
                          0);
                bytes = saved.substr(0, 7) + '\x02' + readFile(dir.path() / "body.zst");
            }
            const char* format = nullptr;
            ASSERT_EQ(decodeBinaryTable(table.c_str(), bytes, format), 0) << table << " " << level;
            EXPECT_TRUE(bytes == dump) << table << " " << level;
        }
    }
}

}  // namespace
}  // namespace e2e
