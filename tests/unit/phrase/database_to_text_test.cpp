#include "phrase/database_to_text.h"

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

// A GBK database: 9155 (A1 7F) is a position of the index space, no character.
std::string gbkDatabase(std::vector<Resource> data) {
    data.insert(data.begin(), Resource{"HEAD", 8888, headBody(kChineseGBK)});
    return database(data);
}

Resource block(uint16_t id, int first, const std::vector<std::vector<uint16_t>>& lists) {
    return {"DATA", id, dataBody(first, lists)};
}

// Replaces the bytes at `offset`.
std::string patched(std::string bytes, std::size_t offset, const std::string& with) {
    return bytes.replace(offset, with.size(), with);
}

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
        // What no compile writes: the head's length outside 2 to 15 or below the
        // longest phrase, a phrase of one character, a GBK position with trail 7F.
        ReadCase{"MaxPhraseLength1", patched(kOneSlot, 110, be16Text(1)), 403, ""},
        ReadCase{"MaxPhraseLength16", patched(kOneSlot, 110, be16Text(16)), 403, ""},
        ReadCase{"MaxPhraseLengthBelowLongest",
                 patched(gbDatabase({block(8888, 0, {{257, 258 | 0x8000}})}), 110, be16Text(2)),
                 403, ""},
        ReadCase{"OneCharacterPhrase", gbDatabase({block(8888, 0, {{257 | 0x8000, 0xFF00}})}), 403,
                 ""},
        ReadCase{"WordAtTrail7F", gbkDatabase({block(8888, 0, {{9155 | 0x8000}})}), 403, ""},
        ReadCase{"SlotAtTrail7F", gbkDatabase({block(8888 + 34, 195, {{257 | 0x8000}})}), 403, ""},
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

}  // namespace
