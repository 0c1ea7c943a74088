// Every message of the database reader, each on a database damaged in one
// way from one compiled here; none of them leaves a file. And one database
// whose content no source can say, which is written back with warning 404.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "foundation/big_endian.h"
#include "foundation/database_container.h"
#include "tests/e2e/run_tool.h"

namespace {

using namespace e2e;

// Style 2, GB 2312, a key map, and a character with two entries.
const std::string kSource =
    "[Description]\nCharSet=ChineseGB\nID=Test\nFullName=Reader test\nName=Reader\n"
    "CodingStyle=2\nUsedCodes=abc\nMaxCodes=2\n[KeyMapTable]\nRow1=a\n"
    "[Text]\na \xB0\xA1\xB0\xA2\nb \xB0\xA1\n";

const std::string kStart =
    "\r \rQalto input method maintain program, Version 2.0\n\n"
    "\r \rConverting input method \"db.pdb\" => text \"back.txt\"...\n\n";

// The database as bytes, with its directory at hand.
struct Database {
    std::string bytes;

    int entryIndex(const char* type) const {
        const int count = getU16BE(data() + 76);
        for (int i = 0; i < count; ++i) {
            if (std::memcmp(data() + 78 + 10 * i, type, 4) == 0) return i;
        }
        return -1;
    }
    uint32_t offsetOf(const char* type) const {
        return getU32BE(data() + 78 + 10 * entryIndex(type) + 6);
    }
    const uint8_t* data() const { return reinterpret_cast<const uint8_t*>(bytes.data()); }
    uint8_t* at(std::size_t offset) { return reinterpret_cast<uint8_t*>(bytes.data()) + offset; }

    // Cuts the last byte of a body; the bodies after it move down.
    void shorten(const char* type) {
        const int index = entryIndex(type);
        const uint32_t next = getU32BE(data() + 78 + 10 * (index + 1) + 6);
        bytes.erase(next - 1, 1);
        const int count = getU16BE(data() + 76);
        for (int i = index + 1; i < count; ++i)
            putU32BE(at(78 + 10 * i + 6), getU32BE(at(78 + 10 * i + 6)) - 1);
    }
};

struct ReaderCase {
    const char* name;
    std::function<void(Database&)> damage;  // nullptr: no database file at all
    int status;
    std::string message;
};

void PrintTo(const ReaderCase& c, std::ostream* os) {
    *os << c.name;
}

class Reader : public ::testing::TestWithParam<ReaderCase> {
  protected:
    void SetUp() override {
        writeFile(dir / "src.txt", kSource);
        ASSERT_EQ(runTool(MABREL_PATH, {"src.txt", "db.pdb"}, dir.path()).status, 0);
        database.bytes = readFile(dir / "db.pdb");
        fs::remove(dir / "src.txt");
    }
    ScratchDir dir;
    Database database;
};

TEST_P(Reader, ReportsAndWritesNothing) {
    const ReaderCase& c = GetParam();
    if (c.damage) {
        c.damage(database);
        writeFile(dir / "db.pdb", database.bytes);
    } else {
        fs::remove(dir / "db.pdb");
    }
    const RunResult run = runTool(MABREL_PATH, {"db.pdb", "back.txt"}, dir.path());
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.output, kStart + "\r \r\aMessage " + c.message + "\n");
    EXPECT_EQ(dir.listing(), c.damage ? "db.pdb\n" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Reader,
    ::testing::Values(
        ReaderCase{"NoFile", nullptr, 100, "100 : Open file \"db.pdb\" fail"},
        ReaderCase{"ShorterThanItsHeader", [](Database& d) { d.bytes.resize(77); }, 101,
                   "101 : Read file \"db.pdb\" error"},
        ReaderCase{"PhraseDatabase", [](Database& d) { std::memcpy(d.at(60), "CIZU", 4); }, 144,
                   "400 : \"db.pdb\" is not input method database"},
        ReaderCase{
            "NoHeaderRecord",
            [](Database& d) { std::memcpy(d.at(78 + 10 * d.entryIndex("RT11")), "RT1X", 4); }, 144,
            "400 : \"db.pdb\" is not input method database"},
        ReaderCase{"OtherVersion", [](Database& d) { putU16BE(d.at(d.offsetOf("RT11")), 0x0100); },
                   145, "401 : \"db.pdb\" version error"},
        ReaderCase{"NoResources", [](Database& d) { putU16BE(d.at(76), 0); }, 146,
                   "402 : Too many resource record!"},
        ReaderCase{"BodyOneByteShort", [](Database& d) { d.shorten("RT13"); }, 147,
                   "403 : \"db.pdb\" is damaged"},
        // The map's first slot points at a block far past the two repeat slots.
        ReaderCase{"ReferenceOutsideRepeatBlocks",
                   [](Database& d) { putU16BE(d.at(d.offsetOf("RT51")), 0x8000 + 100); }, 147,
                   "403 : \"db.pdb\" is damaged"},
        ReaderCase{"IndexOutsideTheCharSet",
                   [](Database& d) { putU16BE(d.at(d.offsetOf("RT33") + 2), 0x7FFF); }, 147,
                   "403 : \"db.pdb\" is damaged"}),
    [](const ::testing::TestParamInfo<ReaderCase>& info) { return std::string(info.param.name); });

// A full name holding "//" compiles from no source: the source keeps what it
// can and the header record is named.
TEST(Decompile, ContentNoSourceCanSayDrawsWarning404) {
    ScratchDir dir;
    writeFile(dir / "src.txt", kSource);
    ASSERT_EQ(runTool(MABREL_PATH, {"src.txt", "db.pdb"}, dir.path()).status, 0);
    Database database{readFile(dir / "db.pdb")};
    const char name[] = "a // b";
    std::memcpy(database.at(database.offsetOf("RT11") + 128), name, sizeof name);
    writeFile(dir / "db.pdb", database.bytes);

    const RunResult run = runTool(MABREL_PATH, {"db.pdb", "back.txt"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, kStart +
                              "\r \r\aMessage 404 : Resource \"RT11\" can't be written back "
                              "exactly\n\r \r\nConvert OK.\n");
    EXPECT_NE(readFile(dir / "back.txt").find("\nFullName=a // b\n"), std::string::npos);
}

}  // namespace
