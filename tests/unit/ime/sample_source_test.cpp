#include "ime/source/sample_source.h"

#include "ime/source/description.h"
#include "ime/source/help_text.h"
#include "ime/source/key_map.h"
#include "ime/source/rules.h"
#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

std::string sampleHead(const std::string& charSetName) {
    return "\r\n//\r\n[Description]\r\nVersion=Version 1.0\r\nCopyright=Copyright by your "
           "company\r\n"
           "Author=your name\r\nCharSet=" +
           charSetName +
           "\r\nID=????\r\nFullName=PinYin input method\r\nName=PinY\r\nCodingStyle=2\r\n"
           "UsedCodes=12345:abcdefghijklmnopqrstuvwxyz\r\n"
           "DispalyCodes=1,2,3,4,5,:,a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z\r\n"
           "WildChar=?\r\nMaxCodes=7\r\nAutoSelectKeys=4\r\nKeyboardBitmap=PYKbd.bmp\r\n"
           "KeyboardBitmapHDD=PYKbdHDD.bmp\r\n\r\n[KeyMapTable]\r\n"
           "//COl 1  2  3  4  5  6  7     8  9  10 11\r\n"
           "Row1= 1, 2, 3, 4, 5, 6, 7,    8, 9, 0, -\r\n"
           "Row2= q, w, e, r, t, y, u,    i, o, p, \\\r\n"
           "Row3= a, s, d, f, g, h, j,    k, l, ;, '\r\n"
           "Row4= z, x, c, v, b, n, m, 0x2C, ., /, ?\r\n\r\n"
           "[Rules]\r\npa4=f10+f20+f30+f40\r\npe2=f10+f20\r\npe3=f10+f20+f30\r\n\r\n"
           "[Help]\r\nWrite something here\r\n\r\n[Text]\r\n";
}

struct CharSetSample {
    CharSet charSet;
    std::string name;
    int characterLines;
    std::string first;
    std::string last;
};

void PrintTo(const CharSetSample& c, std::ostream* os) {
    *os << c.name;
}

class SampleOfCharSet : public ::testing::TestWithParam<CharSetSample> {
  protected:
    void SetUp() override { useMabrelMessages(); }
    TempDir dir;
};

TEST_P(SampleOfCharSet, ListsEveryDoubleByteCharacter) {
    const CharSetSample& c = GetParam();
    const fs::path path = dir / "sample.txt";
    const PassRun run = runCaptured([&] { return writeSampleSource(c.charSet, path.c_str()); });
    ASSERT_EQ(run.rc, 0);
    EXPECT_EQ(run.output, "");

    const std::string text = readFile(path);
    const std::string head = sampleHead(c.name);
    ASSERT_EQ(text.compare(0, head.size(), head), 0);
    const std::size_t bodySize = text.size() - head.size();
    ASSERT_EQ(bodySize, 4u * c.characterLines);
    for (std::size_t at = head.size(); at < text.size(); at += 4) {
        ASSERT_EQ(text.compare(at + 2, 2, "\r\n"), 0) << "at " << at;
    }
    EXPECT_EQ(text.substr(head.size(), 2), c.first);
    EXPECT_EQ(text.substr(text.size() - 4, 2), c.last);
}

INSTANTIATE_TEST_SUITE_P(
    CharSets, SampleOfCharSet,
    ::testing::Values(CharSetSample{kChineseGB, "ChineseGB", 8836, "\xA1\xA1", "\xFE\xFE"},
                      CharSetSample{kChineseGBK, "ChineseGBK", 24066, "\xA1\xA1", "\xA0\xFE"},
                      CharSetSample{kChineseBIG5, "ChineseBIG5", 19782, "\xA1\x40", "\x8D\xFE"},
                      CharSetSample{kJapaneseJIS, "JapaneseJIS", 8836, "\xA1\xA1", "\xFE\xFE"},
                      CharSetSample{kJapaneseSJIS, "JapaneseSJIS", 11280, "\x81\x40", "\xFC\xFC"},
                      CharSetSample{kKoreanKSC, "KoreanKSC", 8836, "\xA1\xA1", "\xFE\xFE"}),
    [](const ::testing::TestParamInfo<CharSetSample>& info) { return info.param.name; });

// The sample, with its two keyboard pictures beside it, passes every
// section pass before the code table.
class SampleThroughThePasses : public ::testing::TestWithParam<CharSet> {
  protected:
    void SetUp() override { useMabrelMessages(); }
    TempDir dir;
    CMabrel mabrel;
};

TEST_P(SampleThroughThePasses, FillsTheRecords) {
    WorkingDir inDir(dir.path());
    writeFile("PYKbd.bmp", makeBmp(sizedBmp(154, 54)));
    writeFile("PYKbdHDD.bmp", makeBmp(sizedBmp(308, 108)));
    const PassRun run = runCaptured([&] {
        if (int rc = writeSampleSource(GetParam(), "sample.txt")) return rc;
        if (!openSource(mabrel.source, "sample.txt")) return -1;
        if (int rc = parseDescription(mabrel)) return rc;
        if (int rc = parseKeyMapTable(mabrel)) return rc;
        if (int rc = parseRules(mabrel)) return rc;
        return parseHelp(mabrel);
    });
    ASSERT_EQ(run.rc, 0) << run.output;
    EXPECT_EQ(run.output, "");

    const ImeHeader h = laidOut(mabrel).header;
    EXPECT_EQ(h.charSet, GetParam());
    EXPECT_EQ(h.usedCodeCount, 32);
    EXPECT_EQ(h.bitsPerCode, 8);
    EXPECT_EQ(h.codeHeadBytes, 8);
    EXPECT_EQ(h.codeRestBytes, 0);
    EXPECT_EQ(h.codingSubtype, 0);
    EXPECT_EQ(h.wildChar, '?');
    EXPECT_EQ(h.autoSelectKeys, 4);
    EXPECT_EQ(bytesOf(laidOut(mabrel).databaseName, 22),
              std::string("CJK Input Method ????\0", 22));
    EXPECT_EQ(resourceBody(mabrel, "RT21").size(), 5456u);
    EXPECT_EQ(resourceBody(mabrel, "RT13").substr(72, 16),
              std::string("z\0x\0c\0v\0b\0n\0m\0\x2C\0", 16));
    EXPECT_EQ(h.ruleCount, 3);
    EXPECT_EQ(h.ruleSize, 30);
    EXPECT_EQ(h.minRuleItems, 2);
    EXPECT_EQ(h.maxRuleItems, 4);
    EXPECT_EQ(resourceBody(mabrel, "tSTR"), std::string("Write something here\n\n\0\0", 24));
}

INSTANTIATE_TEST_SUITE_P(CharSets, SampleThroughThePasses,
                         ::testing::Values(kChineseGB, kChineseGBK, kChineseBIG5, kJapaneseJIS,
                                           kJapaneseSJIS, kKoreanKSC));

}  // namespace
