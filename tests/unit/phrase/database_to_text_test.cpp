#include "phrase/database_to_text.h"

#include <sys/resource.h>

#include <random>

#include "foundation/phrase_database_reader.h"
#include "phrase/text_to_database.h"
#include "tests/unit/phrase/tosker_test_support.h"

namespace {

using namespace tosker_test;

std::string gb(std::initializer_list<unsigned> indexes) {
    return chars(kChineseGB, indexes);
}

std::string be16Text(uint16_t value) {
    uint8_t bytes[2];
    putU16BE(bytes, value);
    return {char(bytes[0]), char(bytes[1])};
}

const std::string kGbDescription =
    "[Description]\nCharSet=ChineseGB\nMaxPhraseLength=3\n//Total 1 phrases\n\n[Phrase]\n";

class DatabaseToTextTest : public Fixture {
  protected:
    // Converts `database` (written to db.pdb) into out.txt.
    Captured convert(const std::string& database) {
        source = writeBytes("db.pdb", database).string();
        destination = scratchPath("out.txt").string();
        return captured(
            [&] { return convertDatabaseToText(tosker, source.c_str(), destination.c_str()); });
    }
    std::string text() const { return readFile(destination); }
    std::string damagedMessage() const {
        return "\r \r\aMessage 403 : \"" + source + "\" is damaged\n";
    }

    std::string source, destination;
};

class RoundTripTest : public DatabaseToTextTest,
                      public ::testing::WithParamInterface<const char*> {};

TEST_P(RoundTripTest, DatabaseToTextAndBackGivesTheSameBodies) {
    const CharSet id = charSetFromName(GetParam());
    const unsigned last = static_cast<unsigned>(indexCount(id)) - 1;
    const auto c = [&](std::initializer_list<unsigned> indexes) { return chars(id, indexes); };
    const std::string list = "[Description]\nCharSet=" + std::string(GetParam()) + "\n[Phrase]\n" +
                             c({last, 300}) + "\n" + c({256, 257}) + "\n" + c({1000, 256}) + "\n" +
                             c({256, 258, 259}) + "\n";
    const std::string first = scratchPath("first.pdb").string();
    ASSERT_EQ(captured([&] {
                  return convertTextToDatabase(tosker, writeBytes("list.txt", list).c_str(),
                                               first.c_str());
              }).rc,
              0);

    const Captured run = convert(readFile(first));
    ASSERT_EQ(run.rc, 0) << run.output;
    EXPECT_EQ(run.output, "\r \rConverting phase database \"" + source + "\" => text \"" +
                              destination + "\"...\n\n\r \r\nConvert OK.\n");
    EXPECT_EQ(text(), "[Description]\nCharSet=" + std::string(GetParam()) +
                          "\nMaxPhraseLength=3\n//Total 4 phrases\n\n[Phrase]\n" + "//" + c({256}) +
                          "\n" + c({256, 257}) + "\n" + c({256, 258, 259}) + "\n\n" + "//" +
                          c({1000}) + "\n" + c({1000, 256}) + "\n\n" + "//" + c({last}) + "\n" +
                          c({last, 300}) + "\n\n");

    CTosker again;
    const std::string second = scratchPath("second.pdb").string();
    ASSERT_EQ(captured([&] {
                  return convertTextToDatabase(again, destination.c_str(), second.c_str());
              }).rc,
              0);
    EXPECT_EQ(readFile(second).substr(48), readFile(first).substr(48));
}

INSTANTIATE_TEST_SUITE_P(AllCharSets, RoundTripTest,
                         ::testing::Values("ChineseGB", "ChineseGBK", "ChineseBIG5", "JapaneseJIS",
                                           "JapaneseSJIS", "KoreanKSC"));

struct ReadCase {
    const char* name;
    std::string database;
    int rc;
    std::string text;  // what out.txt holds after a run that succeeds
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadCaseTest : public DatabaseToTextTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadCaseTest, WritesTheExpectedText) {
    const ReadCase& c = GetParam();
    const Captured run = convert(c.database);
    EXPECT_EQ(run.rc, c.rc) << run.output;
    if (c.rc == 403) {
        EXPECT_TRUE(run.output.ends_with(damagedMessage())) << run.output;
    }
    if (c.rc == 0) {
        EXPECT_EQ(text(), c.text);
    } else {
        EXPECT_FALSE(fs::exists(destination));
    }
}

// A GB database: a head that covers the set (or the indexes given) and the
// "DATA" resources given.
std::string gbDatabase(std::vector<Resource> data, uint16_t first = 256, uint16_t last = 0) {
    data.insert(data.begin(), Resource{"HEAD", 8888, headBody(kChineseGB, first, last)});
    return database(data);
}

Resource block(uint16_t id, int first, const std::vector<std::vector<uint16_t>>& lists) {
    return {"DATA", id, dataBody(first, lists)};
}

// Replaces the bytes at `offset`.
std::string patched(std::string bytes, std::size_t offset, const std::string& with) {
    return bytes.replace(offset, with.size(), with);
}

const Resource kGbkHead{"HEAD", 8888, headBody(kChineseGBK)};
const std::string kOneSlot = gbDatabase({block(8888, 0, {{257 | 0x8000}})});
const std::string kSlotText = "//" + gb({256}) + "\n" + gb({256, 257}) + "\n\n";

std::vector<uint16_t> wordsWithoutEnd(int count) {
    return std::vector<uint16_t>(count, 300);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadCaseTest,
    ::testing::Values(
        ReadCase{"OneSlot", kOneSlot, 0, kGbDescription + kSlotText},
        ReadCase{"UserMarkOnItsPhraseOnly",
                 gbDatabase({block(8888, 0, {{257, 0x7F01, 258 | 0x8000, 259 | 0x8000}})}), 0,
                 kGbDescription + "//" + gb({256}) + "\n" + gb({256, 257, 258}) + ",USER\n" +
                     gb({256, 259}) + "\n\n"},
        ReadCase{"MarkerWithBit15EndsPhrase",
                 gbDatabase({block(8888, 0, {{257, 0xFF00, 258, 0xFF01, 259}})}), 0,
                 kGbDescription + "//" + gb({256}) + "\n" + gb({256, 257}) + "\n" + gb({256, 258}) +
                     ",USER\n\n"},
        ReadCase{"MissingBlockSkipped",
                 gbDatabase({block(8888, 0, {{257 | 0x8000}}), block(8890, 3, {{258 | 0x8000}})}),
                 0, kGbDescription + kSlotText + "//" + gb({771}) + "\n" + gb({771, 258}) + "\n\n"},
        ReadCase{"FirstIndexNot256", gbDatabase({block(8888, 0, {{257 | 0x8000}})}, 257), 403, ""},
        ReadCase{"LastIndexShort", gbDatabase({block(8888, 0, {{257 | 0x8000}})}, 256, 2000), 403,
                 ""},
        ReadCase{"LastIndexPastTheSet", gbDatabase({}, 256, 65535), 403, ""},
        ReadCase{"BlockCountDisagrees", gbDatabase({}).replace(88 + 8, 2, be16Text(34)), 403, ""},
        ReadCase{"DataBeyondTheBlocks", gbDatabase({block(8888 + 35, 0, {})}), 403, ""},
        ReadCase{"DamagedEntryType",
                 gbDatabase({block(8888, 0, {}), {"DAtA", 8889, be16Text(256) + be16Text(4)}}), 403,
                 ""},
        ReadCase{"SameEntryTwice", gbDatabase({block(8888, 0, {}), block(8888, 0, {})}), 403, ""},
        ReadCase{"WrongType", database({{"HEAD", 8888, ""}}, "IMEM"), 400, ""},
        ReadCase{"WrongCreator", patched(kOneSlot, 64, "dQlT"), 400, ""},
        ReadCase{"NoHead", patched(kOneSlot, 78, "head"), 400, ""},
        ReadCase{"WrongVersion", gbDatabase({}).replace(88, 2, be16Text(0x0100)), 401, ""},
        ReadCase{"NoResources", patched(kOneSlot, 76, std::string("\0\0", 2)), 402, ""},
        ReadCase{"513Resources", patched(kOneSlot, 76, "\x02\x01") + std::string(5130, 'x'), 402,
                 ""},
        ReadCase{"HeadPastTheEnd", patched(kOneSlot, 84, std::string("\x00\x00\x10\x00", 4)), 403,
                 ""},
        ReadCase{"UnknownCharSet", patched(kOneSlot, 100 + 2, std::string("\x00\x99", 2)), 403, ""},
        ReadCase{"BlockPastTheEnd", patched(kOneSlot, 94, std::string("\x00\x00\x10\x00", 4)), 403,
                 ""},
        ReadCase{"FirstPositionAbove256", gbDatabase({{"DATA", 8888, be16Text(257) + be16Text(4)}}),
                 403, ""},
        ReadCase{"OffsetsGoBack", patched(kOneSlot, 164 + 4, be16Text(515)), 403, ""},
        ReadCase{"OffsetPastTheEnd", patched(kOneSlot, 164 + 4, be16Text(600)), 403, ""},
        ReadCase{"WordIsNoCharacter", gbDatabase({block(8888, 0, {{100 | 0x8000}})}), 403, ""},
        // No compile writes these: GBK's A1 7F (index 9155) is no character.
        ReadCase{"BelowLongest", gbDatabase({block(8888, 0, {{257, 258, 259 | 0x8000}})}), 403, ""},
        ReadCase{"OneCharacter", gbDatabase({block(8888, 0, {{0xFF00}})}), 403, ""},
        ReadCase{"WordAt7F", database({kGbkHead, block(8888, 0, {{9155 | 0x8000}})}), 403, ""},
        ReadCase{"SlotAt7F", database({kGbkHead, block(8922, 195, {{257 | 0x8000}})}), 403, ""},
        ReadCase{"PhraseWithoutBit15", gbDatabase({block(8888, 0, {wordsWithoutEnd(15)})}), 403,
                 ""},
        ReadCase{"FourteenWordsWithoutBit15Ignored",
                 gbDatabase({block(8888, 0, {wordsWithoutEnd(14)})}), 0,
                 kGbDescription + "//" + gb({256}) + "\n\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DatabaseToTextTest, AnotherPhraseCountIsNamedBeforeConvertOk) {
    const Captured run = convert(gbDatabase({block(8888, 0, {{257 | 0x8000, 258, 259 | 0x8000}})}));
    EXPECT_EQ(run.rc, 0);
    EXPECT_TRUE(run.output.ends_with("\r \r\aMessage 404 : \"" + source +
                                     "\" holds 2 phrases, its header says 1\n\r \r\nConvert OK.\n"))
        << run.output;
}

TEST_F(DatabaseToTextTest, TruncatedDatabaseIsRefusedAtEveryLength) {
    const std::string whole = gbDatabase({block(8888, 0, {{257 | 0x8000}}), block(8889, 256, {})});
    ASSERT_EQ(whole.size(), 108u + 64 + 518 + 4);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const Captured run = convert(whole.substr(0, length));
        const int expected = length < 78 ? 101 : length < 108 ? 402 : 403;
        ASSERT_EQ(run.rc, expected) << "length " << length << run.output;
    }
}

// Mutated examples draw 400 to 403 (101 without a whole header), or their text
// compiles back to the same CharSet, maxPhraseLength and phrases under each
// first character (user marks dropped, a repeated phrase once).
auto meaningOf(const fs::path& path) {
    PhraseDatabase db;
    EXPECT_EQ(readPhraseDatabaseFile(path.c_str(), db), 0);
    std::vector<std::vector<std::vector<uint16_t>>> kept(db.listCount());
    for (std::size_t i = 0; i < db.listCount(); ++i)
        for (const StoredPhrase& p : db.list(i))
            if (std::vector<uint16_t> rest(db.rest(p).begin(), db.rest(p).end());
                std::ranges::find(kept[i], rest) == kept[i].end())
                kept[i].push_back(rest);
    return std::tuple(db.charSet, db.maxPhraseLength, kept);
}

class Mutated : public Fixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(Mutated, DatabaseDrawsItsMessageOrCompilesBackToTheSamePhrases) {
    std::string list = readFile(fs::path(EXAMPLES_DIR) / "phrase-chinesegb.txt");
    const fs::path db = scratchPath("db.pdb"), text = scratchPath("t.txt"), again = dir / "a.pdb";
    const fs::path source =
        writeBytes("l.txt", list.replace(list.find("ChineseGB"), 9, GetParam()));
    QuietReports quiet;
    ASSERT_EQ(convertTextToDatabase(tosker, source.c_str(), db.c_str()), 0);
    const std::string original = readFile(db);
    // One change in three falls on the head's fields.
    const std::size_t head = getU32BE(reinterpret_cast<const uint8_t*>(&original[84]));
    std::mt19937 random(24);
    const auto below = [&](std::size_t n) { return random() % n; };
    const char* count = std::getenv("CJK_MUTATIONS");
    for (int n = 0; n < (count != nullptr ? std::atoi(count) : 2000); ++n) {
        std::string bytes = original;
        for (std::size_t k = 1 + below(3); k > 0; --k) {
            const std::size_t i = below(3) == 0 ? head + below(16) : below(bytes.size());
            const char values[] = {'\0', '\xFF', '\x7F', static_cast<char>(random()),
                                   static_cast<char>(bytes[i] ^ (1 << below(8)))};
            bytes[i] = values[std::min<std::size_t>(below(10), 4)];
        }
        if (below(10) == 0) bytes.resize(below(bytes.size()));
        writeBytes("db.pdb", bytes);
        CTosker reader, compiler;
        const int rc = convertDatabaseToText(reader, db.c_str(), text.c_str());
        if ((rc >= 400 && rc <= 403) || (rc == 101 && bytes.size() < 78)) continue;
        ASSERT_EQ(rc, 0) << "mutation " << n;
        ASSERT_EQ(convertTextToDatabase(compiler, text.c_str(), again.c_str()), 0) << n;
        ASSERT_EQ(meaningOf(again), meaningOf(db)) << "mutation " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, Mutated,
                         ::testing::Values("ChineseGB", "ChineseGBK", "ChineseBIG5"));

TEST_F(DatabaseToTextTest, TooLargeFilesAreRefusedUnread) {
    const fs::path db = writeBytes("db.pdb", kOneSlot);
    const fs::path list = writeBytes("list.txt", ""), zero = dir / "zero", x = dir / "x";
    fs::resize_file(db, std::uintmax_t{2} << 30);
    fs::resize_file(list, (1u << 28) + 1);
    fs::create_symlink("/dev/zero", zero);
    QuietReports quiet;
    EXPECT_EQ(convertDatabaseToText(tosker, db.c_str(), x.c_str()), 403);
    EXPECT_EQ(convertDatabaseToText(tosker, zero.c_str(), x.c_str()), 400);
    EXPECT_EQ(convertTextToDatabase(tosker, list.c_str(), x.c_str()), 101);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 1 << 20) << "kilobytes, not the 2 GB read whole";
    EXPECT_EQ(convertTextToDatabase(tosker, zero.c_str(), x.c_str()), 101);  // after 256 MiB + 1
}

}  // namespace
