#include "phrase/phrase_database_writer.h"

#include "phrase/source/phrase_source.h"
#include "phrase/source/phrase_store.h"
#include "tests/support/database_bytes.h"
#include "tests/unit/phrase/tosker_test_support.h"

namespace {

using namespace tosker_test;

using test_support::be16;
using test_support::be32;
std::string zeros(std::size_t count) {
    return std::string(count, '\0');
}

std::string withoutDates(std::string database) {
    std::fill(database.begin() + 36, database.begin() + 48, '\0');
    return database;
}

class WriterTest : public Fixture {
  protected:
    // Reads a one-phrase list of `charSet` and writes its database.
    std::string writeOnePhrase(const char* charSet, int expectedRc = 0) {
        const CharSet id = charSetFromName(charSet);
        const fs::path text =
            writeBytes("one.txt", std::string("[Description]\nCharSet=") + charSet +
                                      "\n[Phrase]\n" + chars(id, {256, 257}) + "\n");
        const fs::path database = scratchPath("one.pdb");
        EXPECT_TRUE(openSource(tosker.source, text.c_str()));
        const Captured run = captured([&] {
            if (int rc = parseDescriptionSection(tosker)) return rc;
            if (int rc = parsePhraseSection(tosker)) return rc;
            return writePhraseDatabase(tosker, database.c_str());
        });
        EXPECT_EQ(run.rc, expectedRc) << run.output;
        return readFile(database);
    }
};

TEST_F(WriterTest, OnePhraseChineseGBDatabaseByteForByte) {
    std::string expected = "CJK Phrase ChineseGB" + zeros(12) + be16(1) + be16(1) + zeros(12) +
                           zeros(12) + "CIZUdQlt" + zeros(8) + be16(36);
    expected += "HEAD" + be16(8888) + be32(440);
    for (unsigned b = 0; b < 35; ++b) {
        expected += "DATA" + be16(8888 + b) + be32(b == 0 ? 504 : 1022 + 4 * (b - 1));
    }
    expected += zeros(2);
    expected += be16(0x0200) + be16(16) + be16(256) + be16(9091) + be16(35) + be16(2) + be32(1) +
                "Qalto Phrase by Ba Rinvela\x1A" + zeros(21);
    expected += be16(0) + be16(516);
    for (int k = 1; k <= 256; ++k) expected += be16(518);
    expected += be16(0x8101);
    for (int b = 1; b < 35; ++b) expected += be16(256) + be16(4);
    ASSERT_EQ(expected.size(), 1158u);

    EXPECT_EQ(withoutDates(writeOnePhrase("ChineseGB")), expected);
}

struct Geometry {
    const char* charSet;
    unsigned resources, firstBody, lastIndex;
};

void PrintTo(const Geometry& c, std::ostream* os) {
    *os << c.charSet;
}

class GeometryTest : public WriterTest, public ::testing::WithParamInterface<Geometry> {};

TEST_P(GeometryTest, DirectoryAndHeadFollowTheCharSet) {
    const Geometry& g = GetParam();
    const std::string bytes = writeOnePhrase(g.charSet);
    const unsigned blocks = g.resources - 1;
    ASSERT_EQ(bytes.size(), g.firstBody + 64 + 518 + 4 * (blocks - 1));
    EXPECT_EQ(bytes.substr(76, 12), be16(g.resources) + "HEAD" + be16(8888) + be32(g.firstBody));
    const std::size_t directoryEnd = 78 + 10 * g.resources;
    EXPECT_EQ(bytes.substr(directoryEnd, g.firstBody - directoryEnd),
              zeros(g.firstBody - directoryEnd));
    EXPECT_EQ(bytes.substr(g.firstBody + 2, 10), be16(charSetFromName(g.charSet)) + be16(256) +
                                                     be16(g.lastIndex) + be16(blocks) + be16(2));
    const std::size_t lastEntry = directoryEnd - 10;
    EXPECT_EQ(bytes.substr(lastEntry, 10),
              "DATA" + be16(8888 + blocks - 1) + be32(static_cast<unsigned>(bytes.size()) - 4));
}

INSTANTIATE_TEST_SUITE_P(AllCharSets, GeometryTest,
                         ::testing::Values(Geometry{"ChineseGB", 36, 440, 9091},
                                           Geometry{"ChineseGBK", 96, 1040, 24321},
                                           Geometry{"ChineseBIG5", 79, 868, 20037},
                                           Geometry{"JapaneseJIS", 36, 440, 9091},
                                           Geometry{"JapaneseSJIS", 46, 540, 11535},
                                           Geometry{"KoreanKSC", 36, 440, 9091}),
                         [](const auto& info) { return std::string(info.param.charSet); });

TEST_F(WriterTest, TooLargeBlockIsNamedByItsFirstCharacterAndLeavesTheDestination) {
    tosker.database.charSet = kChineseGB;
    // Block 1 (indexes 512 to 767): F = 10, 496 + 16 x 4096 bytes.
    for (int slot = 522; slot < 538; ++slot) {
        const uint16_t phrase[] = {static_cast<uint16_t>(slot), 257};
        for (std::size_t n = 0; n < kMaxListWords; ++n) addPhrase(tosker.database, phrase);
    }
    closeLists(tosker.database, 538);
    const fs::path path = writeBytes("big.pdb", "kept");
    const Captured run = captured([&] { return writePhraseDatabase(tosker, path.c_str()); });
    EXPECT_EQ(run.rc, 906);
    EXPECT_EQ(run.output, "\r \r\aMessage 906 : Phrase block of '\xA3\xE5' too large\n");
    EXPECT_EQ(readFile(path), "kept");
    EXPECT_EQ(dir.listing(), "big.pdb\n");
}

TEST_F(WriterTest, FailedWritesAndCreationAreReported) {
    tosker.database.charSet = kChineseGB;
    const Captured full = captured([&] { return writePhraseDatabase(tosker, "/dev/full"); });
    EXPECT_EQ(full.rc, 102);
    EXPECT_EQ(full.output, "\r \r\aMessage 102 : Write file \"/dev/full\" error\n");

    const std::string missing = scratchPath("no-such-folder").string() + "/x.pdb";
    const Captured create = captured([&] { return writePhraseDatabase(tosker, missing.c_str()); });
    EXPECT_EQ(create.rc, 103);
    EXPECT_EQ(create.output, "\r \r\aMessage 103 : Create file \"" + missing + "\" fail\n");
}

}  // namespace
