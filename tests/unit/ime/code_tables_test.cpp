#include <vector>

#include "foundation/big_endian.h"
#include "ime/database/code_tables_builder.h"
#include "ime/source/code_table.h"
#include "tests/unit/ime/coder_fixture.h"

namespace {

using namespace coder_test;
using Slots = std::vector<int>;

const int kX = 1666, kY = 1667, kZ = 1668;  // B0A1, B0A2, B0A3
const std::string X = gbChar(kX), Y = gbChar(kY), Z = gbChar(kZ);

class CodeTablesTest : public CoderTest {
  protected:
    static Slots slots(const std::vector<uint16_t>& table, int from, int count) {
        return Slots(table.begin() + from, table.begin() + from + count);
    }
    // Records of bytes read as big-endian 16-bit slots.
    static Slots slots(const std::vector<uint8_t>& table, int from, int count) {
        Slots values;
        for (int i = from; i < from + count; ++i) values.push_back(getU16BE(&table[2 * i]));
        return values;
    }
    // The "RT52" body as slots, its closing zero included.
    Slots repeatBlocks() const {
        std::vector<uint8_t> body;
        encodeRepeatBlocks(layout.tables, body);
        return slots(body, 0, static_cast<int>(body.size() / 2));
    }
    int mapped(int hzIndex) const { return layout.tables.hzMap[hzIndex]; }
    // The first byte of each Bits record, where the primary flag lives.
    Slots primaryFlags(int entries) const {
        Slots flags;
        for (int i = 1; i <= entries; ++i) flags.push_back(layout.tables.bits[2 * i] >> 7);
        return flags;
    }
};

TEST_F(CodeTablesTest, TheLongestCodeOfACharacterBecomesItsPrimaryEntry) {
    const struct {
        std::string text;
        Slots blocks;  // RepeatBlocks, the closing zero included
        Slots flags;   // primary flag of entries 1, 2, ...
    } cases[] = {
        {"a " + X + "\nbcd " + X + "\n", {0x8000 + 2, 1, 0}, {0, 1}},
        // Equally long codes: the earliest stays first.
        {"ab " + X + "\ncd " + X + "\nef " + X + "\nxy " + Y + "\n",
         {0x8001, 0x8002, 3, 0},
         {1, 0, 0, 1}},
        // The longest code in the middle of a block swaps with the first.
        {"a " + X + "\nbcd " + X + "\ncd " + X + "\ndcb " + X + "\n",
         {0x8002, 0x8001, 0x8003, 4, 0},
         {0, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(code({}, c.text), 0);
        EXPECT_EQ(mapped(kX), 0x8000);
        EXPECT_EQ(repeatBlocks(), c.blocks);
        EXPECT_EQ(primaryFlags(static_cast<int>(c.flags.size())), c.flags);
    }
}

TEST_F(CodeTablesTest, AGrowingBlockMovesTheLaterBlocksUp) {
    // X, Y and Z gain a second entry in turn (blocks at 0, 2 and 4), then X a
    // third and a fourth one and Y a third: X's block takes four slots, Y's
    // three, and Z's moves to 7.
    const std::string text = "a " + X + "\nb " + Y + "\nc " + Z + "\nd " + X + "\ne " + Y + "\nf " +
                             Z + "\ng " + X + "\nh " + X + "\ni " + Y + "\n";
    ASSERT_EQ(code({.codingStyle = 2}, text), 0);
    EXPECT_EQ(repeatBlocks(), (Slots{0x8000 + 1, 0x8000 + 4, 0x8000 + 7, 8, 0x8000 + 2, 0x8000 + 5,
                                     9, 0x8000 + 3, 6, 0}));
    EXPECT_EQ(mapped(kX), 0x8000 + 0);
    EXPECT_EQ(mapped(kY), 0x8000 + 4);
    EXPECT_EQ(mapped(kZ), 0x8000 + 7);
    EXPECT_TRUE(isEntryListed(layout.tables, kX, 8));
    EXPECT_TRUE(isEntryListed(layout.tables, kX, 1));
    EXPECT_FALSE(isEntryListed(layout.tables, kX, 2));
    EXPECT_FALSE(isEntryListed(layout.tables, kX - 1, 1));
}

TEST_F(CodeTablesTest, StyleTwoKeepsTheCodeTextAndARunOfCharacters) {
    const std::string W = gbChar(300);
    ASSERT_EQ(code({.codingStyle = 2, .maxCodes = 3}, "ab " + X + Y + "\nab " + Z + W + "\n"), 0);
    const CodeTables& t = layout.tables;
    EXPECT_EQ(t.bits, (std::vector<uint8_t>{0, 0, 0, 0, 'a', 'b', 0, 0}));
    EXPECT_EQ(t.hzInd, (std::vector<uint16_t>{0, 1, 5}));
    EXPECT_EQ(t.hzTab, (std::vector<uint16_t>{0, kX, kY, kZ, 300}));
    EXPECT_TRUE(t.bitsRest.empty());
    EXPECT_EQ(layout.tables.minHZIndex, 300);
    EXPECT_EQ(layout.tables.maxHZIndex, kZ);
    EXPECT_EQ(codedCharacterCount(layout.tables), 4u);
    EXPECT_TRUE(layout.tables.repeatBlocks.empty());
}

TEST_F(CodeTablesTest, TheIndexGivesEachBucketItsFirstEntry) {
    // Alphabet "abc": buckets a, aa, ab, ac, b, ba, ..., cc and the empty
    // last one (13 slots). Entries: a(1), ab(2), abc(3), b(4), ca(5), ca(6).
    const std::string text =
        "ca " + X + "\nab " + Y + "\nabc " + Z + "\nb " + Y + "\na " + X + "\nca " + Y + "\n";
    ASSERT_EQ(code({.codingStyle = 1, .usedCodes = "abc", .maxCodes = 3}, text), 0);
    const CodeTables& t = layout.tables;
    EXPECT_EQ(t.index, (std::vector<uint16_t>{1, 2, 2, 4, 4, 5, 5, 5, 5, 5, 7, 7, 7}));
    EXPECT_EQ(t.hzTab, (std::vector<uint16_t>{0, kX, kY, kZ, kY, kX, kY}));
    // Two bits per symbol, three symbols: L = 15 / 8 raised to 2, no rest.
    EXPECT_EQ(layout.header.codeRestBytes, 0);
    EXPECT_TRUE(t.bitsRest.empty());
    // a = 01 00 00, ab = 01 10 00, abc = 01 10 11, ca = 11 01 00; flags on the
    // longest code of X (entry 5 "ca"), of Y (entry 2 "ab" before "ca") and
    // of Z (its only entry 3).
    EXPECT_EQ(slots(t.bits, 1, 6), (Slots{0x1000, 0x9800, 0x9B00, 0x2000, 0xB400, 0x3400}));
}

TEST_F(CodeTablesTest, TheSpinnerTurnsEveryTenEntriesOfABucket) {
    std::string text;
    for (int i = 0; i < 11; ++i) text += "a " + gbChar(400 + i) + "\n";
    text += "b " + gbChar(500) + "\n";
    ASSERT_EQ(code({.maxCodes = 1}, text), 0);
    EXPECT_EQ(output, "\r \r[Text] Start coding input method at line 1...\n\r-\r|\r/\r \r");
}

TEST_F(CodeTablesTest, RepeatBlocksOverflow) {
    // GB: 2 x H - 2 = 18184 slots. Two entries for each of the 8836
    // characters take 17672; the 513th third entry finds the table full.
    // GBK: two entries each would fit 2 x H - 2, but a block reference must
    // stay below 0x10000, so the 16384th character gaining a second entry
    // finds R at 32766.
    const struct {
        CharSet charSet;
        int thirdEntries;
        int gainsBeforeOverflow;
    } cases[] = {{kChineseGB, 600, 8836 + 512}, {kChineseGBK, 0, 16383}};
    for (const auto& c : cases) {
        // Each character goes under "a?" and "b?" (and "c?"), ? spreading
        // the characters over 26 codes to keep every code's list short.
        std::string text;
        int gains = 0;
        for (char first : {'a', 'b', 'c'}) {
            const int characters = first == 'c' ? c.thirdEntries : indexCount(c.charSet) - 256;
            for (int i = 0; i < characters; ++i) {
                char hz[3] = {};
                indexToChar(c.charSet, 256 + i, hz, sizeof hz);
                if (hz[1] == 0x7F) continue;
                text += std::string{first, kLetters[i % 26], ' '} + hz + "\n";
                if (first != 'a') ++gains;
            }
        }
        ASSERT_GT(gains, c.gainsBeforeOverflow);
        useMabrelMessages();
        EXPECT_EQ(code({.charSet = c.charSet, .codingStyle = 2}, text), 903);
        EXPECT_NE(output.find("Message 903: Repeat block overflow\n"), std::string::npos);
    }
}

}  // namespace
