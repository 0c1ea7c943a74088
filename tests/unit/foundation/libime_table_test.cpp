// fcitx 5 tables cut short or with bytes changed: read whole or refused as
// damaged, never read outside their bytes; a compressed table that reads
// is the one its checksum vouches for.
#include <gtest/gtest.h>

#include <random>

#include "foundation/desktop_tables/binary/binary_formats.h"
#include "tests/support/files.h"

namespace {

const std::filesystem::path kTables = std::filesystem::path(TEST_DATA_DIR) / "import" / "binary";
constexpr std::size_t kHeaderSize = 8;

TEST(LibimeTable, CutOrChangedTablesAreReadWholeOrRefused) {
    std::mt19937 random(30);
    for (const char* name : {"small.main.dict", "small.zst.dict"}) {
        const std::string table = test_support::readFile(kTables / name);
        const bool compressed = table[kHeaderSize - 1] == 2;
        TableText whole;
        ASSERT_EQ(decodeLibimeTable(name, table, whole), Decoded::kDecoded) << name;
        for (std::size_t cut = kHeaderSize; cut < table.size(); cut += compressed ? 1 : 7) {
            TableText text;
            EXPECT_EQ(decodeLibimeTable(name, std::string_view(table).substr(0, cut), text),
                      Decoded::kDamaged)
                << name << " cut at " << cut;
        }
        for (int change = 0; change < 3000; ++change) {
            std::string damaged = table;
            for (int bytes = 1 + change % 3; bytes > 0; --bytes) {
                const std::size_t at = kHeaderSize + random() % (table.size() - kHeaderSize);
                damaged[at] = static_cast<char>(random());
            }
            TableText text;
            const Decoded decoded = decodeLibimeTable(name, damaged, text);
            EXPECT_TRUE(decoded == Decoded::kDecoded || decoded == Decoded::kDamaged) << name;
            if (compressed && decoded == Decoded::kDecoded) {
                EXPECT_EQ(text.text(), whole.text());
            }
        }
    }
}

}  // namespace
