#include "ime/description.h"

#include <cstring>
#include <vector>

#include "ime/code_geometry.h"
#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

const std::vector<std::string> kBaseKeys = {
    "CharSet=ChineseGB", "ID=AB12",    "FullName=Test method", "Name=Test",
    "CodingStyle=2",     "MaxCodes=4", "UsedCodes=abcd",
};

// The base keys with changes: "Key=value" replaces the base line of that key
// or is added, "!Key" removes it, "+Key=value" is added after everything.
std::vector<std::string> keysWith(const std::vector<std::string>& changes) {
    std::vector<std::string> keys = kBaseKeys;
    std::vector<std::string> added;
    for (const std::string& change : changes) {
        if (change[0] == '+') {
            added.push_back(change.substr(1));
            continue;
        }
        const bool remove = change[0] == '!';
        const std::string key = remove ? change.substr(1) : change.substr(0, change.find('='));
        auto it = std::find_if(keys.begin(), keys.end(), [&](const std::string& line) {
            return line.compare(0, key.size() + 1, key + "=") == 0;
        });
        if (remove) {
            keys.erase(it);
        } else if (it != keys.end()) {
            *it = change;
        } else {
            keys.push_back(change);
        }
    }
    keys.insert(keys.end(), added.begin(), added.end());
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
    std::string warning = "";  // a message 504 printed first
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
    const std::string warning = c.warning.empty() ? "" : message(504, c.warning);
    EXPECT_EQ(run.output, warning + message(c.code, c.text));
}

const std::string k32 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ123456";
const std::string kLetters = "abcdefghijklmnopqrstuvwxyz";

INSTANTIATE_TEST_SUITE_P(
    Keys, FailingDescription,
    ::testing::Values(
        FailingKey{"CharSetMissing", {"!CharSet"}, 502, "You must set \"CharSet=????\" key"},
        FailingKey{"CharSetEmpty",
                   {"CharSet="},
                   502,
                   "You must set \"CharSet=????\" key",
                   "Key \"CharSet\" no value"},
        FailingKey{"CharSetUnknown", {"CharSet=Korean"}, 600, "\"Korean\" is not a valid CharSet"},
        FailingKey{
            "CharSetLonger", {"CharSet=ChineseGBX"}, 600, "\"ChineseGBX\" is not a valid CharSet"},
        FailingKey{"IdMissing", {"!ID"}, 502, "You must set \"ID=????\" key"},
        FailingKey{"IdOfThree", {"ID=ABC"}, 601, "Value of \"ID=ABC\" must be 4 chars, now is 3"},
        FailingKey{
            "IdOfFive", {"ID=ABCDE"}, 601, "Value of \"ID=ABCDE\" must be 4 chars, now is 5"},
        FailingKey{
            "FullName32", {"FullName=" + k32}, 505, "The value of key \"FullName\" too long"},
        FailingKey{"FullNameMissing", {"!FullName"}, 502, "You must set \"FullName=????\" key"},
        FailingKey{"NameMissing", {"!Name"}, 502, "You must set \"Name=????\" key"},
        FailingKey{"Version16",
                   {"Version=" + k32.substr(16)},
                   505,
                   "The value of key \"Version\" too long"},
        FailingKey{
            "Copyright32", {"Copyright=" + k32}, 505, "The value of key \"Copyright\" too long"},
        FailingKey{"Author16",
                   {"Author=" + k32.substr(0, 16)},
                   505,
                   "The value of key \"Author\" too long"},
        FailingKey{
            "CodingStyleMissing", {"!CodingStyle"}, 502, "You must set \"CodingStyle=????\" key"},
        FailingKey{"CodingStyle3",
                   {"CodingStyle=3"},
                   607,
                   "The value of \"CodingStyle=3\" is invalid, can be 1 or 2."},
        FailingKey{"CodingStyle0",
                   {"CodingStyle=x"},
                   607,
                   "The value of \"CodingStyle=x\" is invalid, can be 1 or 2."},
        FailingKey{"Subtype3",
                   {"CodingStyle=2,3"},
                   607,
                   "The subtype value of \"CodingStyle=3\" is invalid, can be 0,1 or 2."},
        FailingKey{"StyleLowByte",
                   {"CodingStyle=258"},
                   607,
                   "The subtype value of \"CodingStyle=58\" is invalid, can be 0,1 or 2."},
        FailingKey{"IndexDepth3",
                   {"CodingStyle=1", "IndexDepth=3"},
                   607,
                   "The value of \"IndexDepth=3\" is invalid, can be 0~2."},
        FailingKey{"NoSort2",
                   {"CodingStyle=1", "NoSort=2"},
                   607,
                   "The value of \"NoSort=2\" is invalid, can be 0~1."},
        FailingKey{"MaxCodesMissing", {"!MaxCodes"}, 502, "You must set \"MaxCodes=????\" key"},
        FailingKey{"MaxCodesZero", {"MaxCodes=0"}, 603, "\"MaxCodes\" can't be zero."},
        FailingKey{"MaxCodesNoDigits", {"MaxCodes=x7"}, 603, "\"MaxCodes\" can't be zero."},
        FailingKey{"MaxCodes13", {"MaxCodes=13"}, 603, "The max value of \"MaxCodes\" is 12"},
        FailingKey{"MaxCodes256", {"MaxCodes=256"}, 603, "The max value of \"MaxCodes\" is 12"},
        FailingKey{"MaxCodesNegative", {"MaxCodes=-1"}, 603, "The min value of \"MaxCodes\" is 1"},
        FailingKey{"UsedCodesMissing", {"!UsedCodes"}, 502, "You must set \"UsedCodes=????\" key"},
        FailingKey{"UsedCodes64",
                   {"UsedCodes=" + k32 + k32},
                   505,
                   "The value of key \"UsedCodes\" too long"},
        FailingKey{"TuneCodeNotUsed",
                   {"TuneCodes=ax"},
                   609,
                   "The value of \"TuneCodes\" is invalid, the TuneCode should be in "
                   "\"UsedCodes\" also"},
        FailingKey{"PackedCodeTooLong",
                   {"CodingStyle=1", "UsedCodes=" + kLetters, "MaxCodes=7"},
                   604,
                   "Code bits too long, can only coding <= 4 bytes"},
        FailingKey{"DisplayCountShort",
                   {"DispalyCodes=a,b"},
                   602,
                   "The value count of key \"DispalyCodes\" must be 4"},
        FailingKey{"DisplayCountLong",
                   {"UsedCodes=abc", "DispalyCodes=a,b,c,d"},
                   602,
                   "The value count of key \"DispalyCodes\" must be 3"},
        FailingKey{
            "WildCharTwo", {"WildChar=?\?"}, 605, "The value of \"WildChar\" must be one char"},
        FailingKey{"WildCharDoubleByte",
                   {"WildChar=\xB0\xA1"},
                   605,
                   "The value of \"WildChar\" must be one char"},
        FailingKey{
            "WildCharDelete", {"WildChar=\x7F"}, 605, "The value of \"WildChar\" must be one char"},
        FailingKey{"SeparateCharTwo",
                   {"SeparateChar=ab"},
                   605,
                   "The value of \"SeparateChar\" must be one char"}),
    [](const ::testing::TestParamInfo<FailingKey>& info) { return std::string(info.param.name); });

TEST_F(DescriptionTest, MissingSectionIsReportedWithoutLine) {
    openText("[Rules]\npa2=f10+f20\n");
    const PassRun run = runCaptured([&] { return parseDescription(mabrel); });
    EXPECT_EQ(run.rc, 500);
    EXPECT_EQ(run.output, unsectioned(500, "Can't find \"[Description]\" section"));
}

TEST_F(DescriptionTest, SectionWithoutKeys) {
    openText("[Description]\n// nothing\n\n[Text]\n");
    const PassRun run = runCaptured([&] { return parseDescription(mabrel); });
    EXPECT_EQ(run.rc, 501);
    EXPECT_EQ(run.output,
              numbered(3, "[Description]", 501, "No keywords in \"[Description]\" section"));
}

TEST_F(DescriptionTest, MalformedDisplayCodeEndsTheProcess) {
    const PassRun run = parse({"DispalyCodes=0x123"});
    EXPECT_EQ(run.endStatus, 1);
    EXPECT_EQ(run.output, message(606, "Format error, \"0x123\""));
}

TEST_F(DescriptionTest, MissingKeyboardBitmapDrawsTwoMessages) {
    const PassRun run = parse({"KeyboardBitmap=none.bmp", "KeyboardBitmapHDD=none2.bmp"});
    EXPECT_EQ(run.rc, 301);
    EXPECT_EQ(run.output, message(100, "Open file \"none.bmp\" fail") +
                              message(301, "Error while loading bitmap file"));
    EXPECT_EQ(mabrel.keyboardBitmap, nullptr);
}

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

    ImeHeader swapped = mabrel.header;
    swapHeaderBytes(swapped);
    const std::string expected =
        std::string("\x02\x00\x00\x10", 4) + std::string(8, '\0') + "????" + std::string(4, '\0') +
        std::string("\x00\x02\x00\x00", 4) + std::string(8, '\0') +
        std::string("\x00\x08\x00\x08\x00\x00\x00\x00", 8) + std::string("?\0\x00\x04", 4) +
        std::string("\x00\x07\x00\x20", 4) + field(usedCodes, 64) + field("", 16) +
        field("PinYin input method", 32) + field("PinY", 16) + field("Version 1.0", 16) +
        field("Copyright by your company", 32) + field("your name", 16) + field("", 16);
    ASSERT_EQ(expected.size(), 256u);
    EXPECT_EQ(bytesOf(&swapped, sizeof swapped), expected);

    EXPECT_EQ(bytesOf(mabrel.databaseName, 32), field("CJK Input Method ????", 32));
    std::string display;
    for (char c : usedCodes) display += std::string(1, c) + '\0';
    ASSERT_NE(mabrel.displayCodes, nullptr);
    EXPECT_EQ(bytesOf(mabrel.displayCodes.get(), 64), display);
    EXPECT_EQ(mabrel.keyTable.count(), 0);
}

struct AcceptedKeys {
    const char* name;
    std::vector<std::string> changes;
    std::function<void(const CMabrel&)> check;
};

void PrintTo(const AcceptedKeys& c, std::ostream* os) {
    *os << c.name;
}

class AcceptedDescription : public DescriptionTest,
                            public ::testing::WithParamInterface<AcceptedKeys> {};

TEST_P(AcceptedDescription, SetsTheFields) {
    const PassRun run = parse(GetParam().changes);
    ASSERT_EQ(run.rc, 0) << run.output;
    GetParam().check(mabrel);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AcceptedDescription,
    ::testing::Values(
        AcceptedKeys{"DatabaseName",
                     {},
                     [](const CMabrel& m) {
                         EXPECT_EQ(bytesOf(m.databaseName, 32), field("CJK Input Method AB12", 32));
                         EXPECT_EQ(bytesOf(m.header.id, 4), "AB12");
                         EXPECT_EQ(m.displayCodes, nullptr);
                         EXPECT_EQ(m.keyboardBitmap, nullptr);
                     }},
        AcceptedKeys{"Subtype1",
                     {"CodingStyle=2,1"},
                     [](const CMabrel& m) {
                         EXPECT_EQ(m.header.codingStyle, 2);
                         EXPECT_EQ(m.header.codingSubtype, 1);
                     }},
        AcceptedKeys{"StyleTwoIgnoresStyleOneKeys",
                     {"IndexDepth=9", "NoSort=7"},
                     [](const CMabrel& m) {
                         EXPECT_EQ(m.header.indexDepth, 0);
                         EXPECT_EQ(m.header.noSort, 0);
                         EXPECT_EQ(m.header.codingSubtype, 0);
                     }},
        AcceptedKeys{"StyleOneDefaults",
                     {"CodingStyle=1", "TuneCodes=xyz", "SeparateChar=ab"},
                     [](const CMabrel& m) {
                         EXPECT_EQ(m.header.indexDepth, 2);
                         EXPECT_EQ(m.header.noSort, 0);
                         EXPECT_EQ(m.header.tuneCodes[0], '\0');
                         EXPECT_EQ(m.header.separateChar, 0);
                     }},
        AcceptedKeys{"StyleOneOptions",
                     {"CodingStyle=1", "IndexDepth=0", "NoSort=1"},
                     [](const CMabrel& m) {
                         EXPECT_EQ(m.header.indexDepth, 0);
                         EXPECT_EQ(m.header.noSort, 1);
                     }},
        AcceptedKeys{"StyleOneGeometry",
                     {"CodingStyle=1", "UsedCodes=" + kLetters, "MaxCodes=6"},
                     [](const CMabrel& m) {
                         EXPECT_EQ(m.header.usedCodeCount, 26);
                         EXPECT_EQ(m.header.bitsPerCode, 5);
                         EXPECT_EQ(m.header.codeHeadBytes, 2);
                         EXPECT_EQ(m.header.codeRestBytes, 2);
                     }},
        AcceptedKeys{"TuneCodesAndSeparator",
                     {"TuneCodes=da", "SeparateChar='", "WildChar=*"},
                     [](const CMabrel& m) {
                         EXPECT_STREQ(m.header.tuneCodes, "da");
                         EXPECT_EQ(m.header.separateChar, '\'');
                         EXPECT_EQ(m.header.wildChar, '*');
                     }},
        AcceptedKeys{"DisplayListEndsAtEmptyItem",
                     {"UsedCodes=a", "DispalyCodes=a,,b"},
                     [](const CMabrel& m) {
                         ASSERT_NE(m.displayCodes, nullptr);
                         EXPECT_EQ(bytesOf(m.displayCodes.get(), 2), std::string("a\0", 2));
                     }},
        AcceptedKeys{"DisplayHexItems",
                     {"UsedCodes=ab", "DispalyCodes=0x2C, 0x4"},
                     [](const CMabrel& m) {
                         ASSERT_NE(m.displayCodes, nullptr);
                         EXPECT_EQ(bytesOf(m.displayCodes.get(), 4),
                                   std::string("\x2C\x00\x04\x00", 4));
                     }},
        AcceptedKeys{"DisplayListEmpty",
                     {"DispalyCodes=,a"},
                     [](const CMabrel& m) { EXPECT_EQ(m.displayCodes, nullptr); }},
        AcceptedKeys{"FullName31",
                     {"FullName=" + k32.substr(1)},
                     [](const CMabrel& m) { EXPECT_EQ(m.header.fullName, k32.substr(1)); }},
        AcceptedKeys{"FirstNameLineWins",
                     {"+Name=Second"},
                     [](const CMabrel& m) { EXPECT_STREQ(m.header.name, "Test"); }},
        AcceptedKeys{"AutoSelectKeysSignExtended",
                     {"AutoSelectKeys=200"},
                     [](const CMabrel& m) { EXPECT_EQ(m.header.autoSelectKeys, 0xFFC8); }},
        AcceptedKeys{"AutoSelectKeysLowByte",
                     {"AutoSelectKeys=300"},
                     [](const CMabrel& m) { EXPECT_EQ(m.header.autoSelectKeys, 44); }},
        AcceptedKeys{"DecimalStopsAtNonDigit",
                     {"MaxCodes=5abc"},
                     [](const CMabrel& m) {
                         EXPECT_EQ(m.header.maxCodes, 5);
                         EXPECT_EQ(m.header.codeHeadBytes, 6);
                     }}),
    [](const ::testing::TestParamInfo<AcceptedKeys>& info) {
        return std::string(info.param.name);
    });

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

class CodeGeometry : public ::testing::TestWithParam<Geometry> {};

TEST_P(CodeGeometry, FollowsStyleCodeCountAndLength) {
    const Geometry& g = GetParam();
    ImeHeader header{};
    header.codingStyle = g.codingStyle;
    header.usedCodeCount = g.usedCodeCount;
    header.maxCodes = g.maxCodes;
    ASSERT_EQ(setCodeGeometry(header), 0);
    EXPECT_EQ(header.bitsPerCode, g.bitsPerCode);
    EXPECT_EQ(header.codeHeadBytes, g.codeHeadBytes);
    EXPECT_EQ(header.codeRestBytes, g.codeRestBytes);
}

INSTANTIATE_TEST_SUITE_P(Codes, CodeGeometry,
                         ::testing::Values(Geometry{1, 3, 1, 2, 2, 0}, Geometry{1, 3, 12, 2, 2, 2},
                                           Geometry{1, 4, 1, 3, 2, 0}, Geometry{1, 7, 9, 3, 2, 2},
                                           Geometry{1, 8, 5, 4, 2, 1}, Geometry{1, 15, 4, 4, 2, 1},
                                           Geometry{1, 16, 3, 5, 2, 1}, Geometry{1, 26, 6, 5, 2, 2},
                                           Geometry{1, 31, 6, 5, 2, 2}, Geometry{1, 32, 1, 6, 2, 0},
                                           Geometry{1, 63, 5, 6, 2, 2}, Geometry{2, 32, 7, 8, 8, 0},
                                           Geometry{2, 5, 1, 8, 2, 0},
                                           Geometry{2, 5, 12, 8, 12, 0}));

TEST(CodeGeometry, PackedCodeLongerThanFourBytesIsRefused) {
    useMabrelMessages();
    for (const Geometry& g : {Geometry{1, 26, 7}, Geometry{1, 63, 6}, Geometry{1, 4, 12}}) {
        ImeHeader header{};
        header.codingStyle = g.codingStyle;
        header.usedCodeCount = g.usedCodeCount;
        header.maxCodes = g.maxCodes;
        const PassRun run = runCaptured([&] { return setCodeGeometry(header); });
        EXPECT_EQ(run.rc, 604);
        EXPECT_EQ(run.output, unsectioned(604, "Code bits too long, can only coding <= 4 bytes"));
    }
}

}  // namespace
