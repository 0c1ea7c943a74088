#include "foundation/char_sets.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct IndexCase {
    CharSet charSet;
    const char* bytes;
    int index;
};

TEST(CharSets, IndexesOfKnownCharacters) {
    const IndexCase cases[] = {
        {kChineseGB, "\xA1\xA1", 256},      {kChineseGB, "\xB0\xA1", 1666},
        {kChineseGB, "\xFE\xFE", 9091},     {kChineseGBK, "\xA1\x40", 9092},
        {kChineseGBK, "\xFE\xA0", 18209},   {kChineseGBK, "\x81\x40", 18210},
        {kChineseBIG5, "\xA1\x40", 256},    {kChineseBIG5, "\xA4\x40", 727},
        {kChineseBIG5, "\xFE\xFE", 15013},  {kChineseBIG5, "\x8E\x40", 15014},
        {kChineseBIG5, "\x81\x40", 17997},  {kChineseBIG5, "\x8D\xFE", 20037},
        {kJapaneseSJIS, "\x81\x40", 256},   {kJapaneseSJIS, "\x88\x9F", 1666},
        {kJapaneseSJIS, "\x9F\xFC", 6083},  {kJapaneseSJIS, "\xE0\x40", 6084},
        {kJapaneseSJIS, "\xFC\xFC", 11535}, {kKoreanKSC, "\xA1\xA1", 256},
        {kJapaneseJIS, "\xFE\xFE", 9091},   {kChineseGB, "\x80", 128},
    };
    for (const IndexCase& c : cases) {
        EXPECT_EQ(charToIndex(c.charSet, c.bytes), c.index) << c.index;
        char back[3];
        const int length = indexToChar(c.charSet, c.index, back, 3);
        EXPECT_EQ(std::string(back, length), c.bytes) << c.index;
    }
}

TEST(CharSets, EveryIndexRoundTrips) {
    for (const CharSetEntry& entry : kCharSetTable) {
        const int count = indexCount(entry.id);
        for (int i = 256; i < count; ++i) {
            char bytes[3] = {};
            ASSERT_EQ(indexToChar(entry.id, i, bytes, 3), 2) << entry.name << " " << i;
            // GBK has one unused position per row whose trail byte is 0x7F.
            const bool valid = startsWithDoubleByteChar(entry.id, bytes, 2);
            if (entry.id == kChineseGBK && bytes[1] == 0x7F) {
                EXPECT_FALSE(valid) << i;
                continue;
            }
            ASSERT_TRUE(valid) << entry.name << " " << i;
            ASSERT_EQ(charToIndex(entry.id, bytes), i) << entry.name;
        }
    }
}

TEST(CharSets, IndexCounts) {
    EXPECT_EQ(indexCount(kChineseGB), 9092);
    EXPECT_EQ(indexCount(kChineseGBK), 24322);
    EXPECT_EQ(indexCount(kChineseBIG5), 20038);
    EXPECT_EQ(indexCount(kJapaneseJIS), 9092);
    EXPECT_EQ(indexCount(kJapaneseSJIS), 11536);
    EXPECT_EQ(indexCount(kKoreanKSC), 9092);
    EXPECT_EQ(indexCount(0x99), 256);
}

TEST(CharSets, Names) {
    EXPECT_EQ(charSetFromName("ChineseGB"), kChineseGB);
    EXPECT_EQ(charSetFromName("chinesegbk"), kChineseGBK);
    EXPECT_EQ(charSetFromName("KOREANKSC"), kKoreanKSC);
    EXPECT_EQ(charSetFromName("ChineseGBX"), 0);
    EXPECT_EQ(charSetFromName("Korean"), 0);
    EXPECT_STREQ(charSetName(kJapaneseSJIS), "JapaneseSJIS");
    EXPECT_EQ(charSetName(0), nullptr);
}

TEST(CharSets, CharacterBoundaries) {
    const char* leadAtEnd = "\xB0";
    EXPECT_EQ(nextChar(kChineseGB, leadAtEnd), leadAtEnd + 1);
    EXPECT_FALSE(startsWithDoubleByteChar(kChineseGB, leadAtEnd, 2));
    const char* leadThenAscii = "\xB0\x41";
    EXPECT_EQ(nextChar(kChineseGB, leadThenAscii), leadThenAscii + 1);
    EXPECT_FALSE(startsWithDoubleByteChar(kChineseGB, leadThenAscii, 2));
    const char* pair = "\xB0\xA1";
    EXPECT_TRUE(startsWithDoubleByteChar(kChineseGB, pair, 2));
    EXPECT_FALSE(startsWithDoubleByteChar(kChineseGB, pair, 1));
    const char* empty = "";
    EXPECT_EQ(nextChar(kChineseGB, empty), empty);
    EXPECT_TRUE(startsWithDoubleByteChar(kChineseBIG5, "\xA4\x40", 2));
    EXPECT_FALSE(startsWithDoubleByteChar(kChineseGB, "\xA4\x40", 2));
}

TEST(CharSets, IndexToCharBuffers) {
    char out[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(indexToChar(kChineseGB, 256, out, 2), 2);
    EXPECT_EQ(std::string(out, 4), "\xA1\xA1xx");
    EXPECT_EQ(indexToChar(kChineseGB, 256, out, 3), 2);
    EXPECT_EQ(std::string(out, 4), std::string("\xA1\xA1\0x", 4));

    char failed[3] = {'x', 'x', 'x'};
    EXPECT_EQ(indexToChar(kChineseGB, 9092, failed, 3), 0);
    EXPECT_EQ(failed[0], '\0');
    char untouched[3] = {'x', 'x', 'x'};
    EXPECT_EQ(indexToChar(kChineseGB, 300, untouched, 1), 0);
    EXPECT_EQ(indexToChar(kChineseGB, 70000, untouched, 3), 0);
    EXPECT_EQ(indexToChar(kChineseGB, 300, untouched, 0), 0);
    EXPECT_EQ(std::string(untouched, 3), "xxx");
    EXPECT_EQ(indexToChar(kChineseGB, 0x41, untouched, 1), 1);
    EXPECT_EQ(std::string(untouched, 3), "Axx");
    EXPECT_EQ(indexToChar(0x99, 300, untouched, 3), 0);
    EXPECT_EQ(untouched[0], '\0');
}

}  // namespace
