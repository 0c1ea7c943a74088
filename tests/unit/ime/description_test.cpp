#include "ime/source/description.h"

#include <algorithm>
#include <vector>

#include "ime/database/code_geometry.h"
#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

const std::vector<std::string> kBaseKeys = {
    "CharSet=ChineseGB", "ID=AB12",    "FullName=Test method", "Name=Test",
    "CodingStyle=2",     "MaxCodes=4", "UsedCodes=abcd",
};

// The base keys with changes: "Key=value" replaces the base line of that key
// or is added at the end.
std::vector<std::string> keysWith(const std::vector<std::string>& changes) {
    std::vector<std::string> keys = kBaseKeys;
    for (const std::string& change : changes) {
        const std::string key = change.substr(0, change.find('=') + 1);
        auto it = std::find_if(keys.begin(), keys.end(),
                               [&](const std::string& line) { return line.starts_with(key); });
        if (it != keys.end()) {
            *it = change;
        } else {
            keys.push_back(change);
        }
    }
    return keys;
}

std::string sectionText(const std::vector<std::string>& keys) {
    std::string text = "[Description]\n";
    for (const std::string& key : keys) text += key + "\n";
    return text;
}

class DescriptionTest : public SourceTest {
  protected:
    // Parses the base keys with changes; the numbered messages name the last
    // line of the section.
    PassRun parse(const std::vector<std::string>& changes) {
        const std::vector<std::string> keys = keysWith(changes);
        lastLine = static_cast<int>(keys.size()) + 1;
        openText(sectionText(keys));
        return runCaptured([&] { return parseDescription(mabrel); });
    }

    std::string message(int code, const std::string& text) const {
        return numbered(lastLine, "[Description]", code, text);
    }

    int lastLine = 0;
};

struct FailingKey {
    const char* name;
    std::vector<std::string> changes;
    int code;
    std::string text;
};

void PrintTo(const FailingKey& c, std::ostream* os) {
    *os << c.name;
}

class FailingDescription : public DescriptionTest,
                           public ::testing::WithParamInterface<FailingKey> {};

TEST_P(FailingDescription, StopsWithItsMessage) {
    const FailingKey& c = GetParam();
    const PassRun run = parse(c.changes);
    EXPECT_EQ(run.rc, c.code);
    EXPECT_EQ(run.output, message(c.code, c.text));
}

const std::string k32 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ123456";
const std::string kLetters = "abcdefghijklmnopqrstuvwxyz";

// The faults of every key, with the whole output, are end-to-end cases; here
// are the readings of values that those do not show.
INSTANTIATE_TEST_SUITE_P(
    Keys, FailingDescription,
    ::testing::Values(
        FailingKey{
            "CharSetLonger", {"CharSet=ChineseGBX"}, 600, "\"ChineseGBX\" is not a valid CharSet"},
        FailingKey{
            "IdOfFive", {"ID=ABCDE"}, 601, "Value of \"ID=ABCDE\" must be 4 chars, now is 5"},
        FailingKey{"StyleWithoutDigits",
                   {"CodingStyle=x"},
                   607,
                   "The value of \"CodingStyle=x\" is invalid, can be 1 or 2."},
        FailingKey{"StyleLowByte",
                   {"CodingStyle=258"},
                   607,
                   "The subtype value of \"CodingStyle=58\" is invalid, can be 0,1 or 2."},
        FailingKey{"MaxCodesWithoutDigits", {"MaxCodes=x7"}, 603, "\"MaxCodes\" can't be zero."},
        FailingKey{"MaxCodes256", {"MaxCodes=256"}, 603, "The max value of \"MaxCodes\" is 12"},
        FailingKey{"UsedCodes64",
                   {"UsedCodes=" + k32 + k32},
                   505,
                   "The value of key \"UsedCodes\" too long"},
        FailingKey{"DisplayCountLong",
                   {"UsedCodes=abc", "DispalyCodes=a,b,c,d"},
                   602,
                   "The value count of key \"DispalyCodes\" must be 3"},
        FailingKey{"WildCharDoubleByte",
                   {"WildChar=\xB0\xA1"},
                   605,
                   "The value of \"WildChar\" must be one char"},
        FailingKey{"WildCharDelete",
                   {"WildChar=\x7F"},
                   605,
                   "The value of \"WildChar\" must be one char"}),
    [](const ::testing::TestParamInfo<FailingKey>& info) { return std::string(info.param.name); });

std::string field(const std::string& text, std::size_t size) {
    std::string bytes = text;
    bytes.resize(size, '\0');
    return bytes;
}

TEST_F(DescriptionTest, SampleDescriptionGivesTheWholeHeader) {
    const std::string usedCodes = "12345:" + kLetters;
    std::string displayCodes = "DispalyCodes=1";
    for (char c : usedCodes.substr(1)) displayCodes += std::string(",") + c;
    openText(sectionText({"Version=Version 1.0", "Copyright=Copyright by your company",
                          "Author=your name", "CharSet=ChineseGB", "ID=????",
                          "FullName=PinYin input method", "Name=PinY", "CodingStyle=2",
                          "UsedCodes=" + usedCodes, displayCodes, "WildChar=?", "MaxCodes=7",
                          "AutoSelectKeys=4"}));
    const PassRun run = runCaptured([&] { return parseDescription(mabrel); });
    ASSERT_EQ(run.rc, 0);
    EXPECT_EQ(run.output, "");

    const std::string expected =
        std::string("\x02\x00\x00\x10", 4) + std::string(8, '\0') + "????" + std::string(4, '\0') +
        std::string("\x00\x02\x00\x00", 4) + std::string(8, '\0') +
        std::string("\x00\x08\x00\x08\x00\x00\x00\x00", 8) + std::string("?\0\x00\x04", 4) +
        std::string("\x00\x07\x00\x20", 4) + field(usedCodes, 64) + field("", 16) +
        field("PinYin input method", 32) + field("PinY", 16) + field("Version 1.0", 16) +
        field("Copyright by your company", 32) + field("your name", 16) + field("", 16);
    ASSERT_EQ(expected.size(), 256u);
    EXPECT_EQ(resourceBody(mabrel, "RT11"), expected);

    EXPECT_EQ(bytesOf(laidOut(mabrel).databaseName, 32), field("CJK Input Method ????", 32));
    std::string display;
    for (char c : usedCodes) display += std::string(1, c) + '\0';
    EXPECT_EQ(resourceBody(mabrel, "RT12"), display);
    EXPECT_EQ(mabrel.keyTable.count(), 0);
}

TEST_F(DescriptionTest, StyleTwoReadsItsOwnKeys) {
    const PassRun run =
        parse({"CodingStyle=2,1", "IndexDepth=9", "NoSort=7", "TuneCodes=da", "SeparateChar='",
               "WildChar=*", "AutoSelectKeys=200", "MaxCodes=5abc", "FullName=" + k32.substr(1)});
    ASSERT_EQ(run.rc, 0) << run.output;
    const ImeHeader h = laidOut(mabrel).header;
    EXPECT_EQ(h.codingStyle, 2);
    EXPECT_EQ(h.codingSubtype, 1);
    EXPECT_EQ(h.indexDepth, 0);
    EXPECT_EQ(h.noSort, 0);
    EXPECT_STREQ(h.tuneCodes, "da");
    EXPECT_EQ(h.separateChar, '\'');
    EXPECT_EQ(h.wildChar, '*');
    EXPECT_EQ(h.autoSelectKeys, 0xFFC8);
    EXPECT_EQ(h.maxCodes, 5);
    EXPECT_EQ(h.codeHeadBytes, 6);
    EXPECT_EQ(h.fullName, k32.substr(1));
}

TEST_F(DescriptionTest, StyleOneReadsItsOwnKeys) {
    const PassRun run = parse({"CodingStyle=1", "TuneCodes=xyz", "SeparateChar=ab",
                               "UsedCodes=" + kLetters, "MaxCodes=6"});
    ASSERT_EQ(run.rc, 0) << run.output;
    const ImeHeader h = laidOut(mabrel).header;
    EXPECT_EQ(h.indexDepth, 2);
    EXPECT_EQ(h.noSort, 0);
    EXPECT_EQ(h.tuneCodes[0], '\0');
    EXPECT_EQ(h.separateChar, 0);
    EXPECT_EQ(h.usedCodeCount, 26);
    EXPECT_EQ(h.bitsPerCode, 5);
    EXPECT_EQ(h.codeHeadBytes, 2);
    EXPECT_EQ(h.codeRestBytes, 2);
}

TEST_F(DescriptionTest, StyleOneOptions) {
    ASSERT_EQ(parse({"CodingStyle=1", "IndexDepth=0", "NoSort=1"}).rc, 0);
    EXPECT_EQ(laidOut(mabrel).header.indexDepth, 0);
    EXPECT_EQ(laidOut(mabrel).header.noSort, 1);
}

TEST_F(DescriptionTest, DisplayListEndsAtEmptyItem) {
    ASSERT_EQ(parse({"UsedCodes=a", "DispalyCodes=a,,b"}).rc, 0);
    EXPECT_EQ(resourceBody(mabrel, "RT12"), std::string("a\0", 2));
}

TEST_F(DescriptionTest, DisplayCodesInHexadecimal) {
    ASSERT_EQ(parse({"UsedCodes=ab", "DispalyCodes=0x2C, 0x4"}).rc, 0);
    EXPECT_EQ(resourceBody(mabrel, "RT12"), std::string("\x2C\x00\x04\x00", 4));
}

struct Geometry {
    uint8_t codingStyle;
    uint16_t usedCodeCount;
    uint16_t maxCodes;
    uint16_t bitsPerCode = 0;
    uint16_t codeHeadBytes = 0;
    uint16_t codeRestBytes = 0;
};

void PrintTo(const Geometry& c, std::ostream* os) {
    *os << int(c.codingStyle) << "/" << c.usedCodeCount << "/" << c.maxCodes;
}

class CodeGeometryTest : public ::testing::TestWithParam<Geometry> {};

TEST_P(CodeGeometryTest, FollowsStyleCodeCountAndLength) {
    const Geometry& g = GetParam();
    CodeGeometry geometry;
    ASSERT_EQ(codeGeometry(g.codingStyle, g.usedCodeCount, g.maxCodes, geometry), 0);
    EXPECT_EQ(geometry.bitsPerCode, g.bitsPerCode);
    EXPECT_EQ(geometry.codeHeadBytes, g.codeHeadBytes);
    EXPECT_EQ(geometry.codeRestBytes, g.codeRestBytes);
}

INSTANTIATE_TEST_SUITE_P(Codes, CodeGeometryTest,
                         ::testing::Values(Geometry{1, 3, 1, 2, 2, 0}, Geometry{1, 3, 12, 2, 2, 2},
                                           Geometry{1, 4, 1, 3, 2, 0}, Geometry{1, 7, 9, 3, 2, 2},
                                           Geometry{1, 8, 5, 4, 2, 1}, Geometry{1, 15, 4, 4, 2, 1},
                                           Geometry{1, 16, 3, 5, 2, 1}, Geometry{1, 26, 6, 5, 2, 2},
                                           Geometry{1, 31, 6, 5, 2, 2}, Geometry{1, 32, 1, 6, 2, 0},
                                           Geometry{1, 63, 5, 6, 2, 2}, Geometry{2, 32, 7, 8, 8, 0},
                                           Geometry{2, 5, 1, 8, 2, 0},
                                           Geometry{2, 5, 12, 8, 12, 0}));

TEST(CodeGeometryRule, PackedCodeLongerThanFourBytesIsRefused) {
    useMabrelMessages();
    for (const Geometry& g : {Geometry{1, 26, 7}, Geometry{1, 63, 6}, Geometry{1, 4, 12}}) {
        CodeGeometry geometry;
        const PassRun run = runCaptured(
            [&] { return codeGeometry(g.codingStyle, g.usedCodeCount, g.maxCodes, geometry); });
        EXPECT_EQ(run.rc, 604);
        EXPECT_EQ(run.output, unsectioned(604, "Code bits too long, can only coding <= 4 bytes"));
    }
}

}  // namespace
