#include "phrase/data_block.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "foundation/big_endian.h"
#include "tests/support/database_bytes.h"

namespace {

using test_support::be16;
std::string repeated(const std::string& part, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += part;
    return text;
}
std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

// Position 1: one phrase of three characters; position 3: two of two.
const std::vector<PhraseSlot> kLists = {{}, {{0x0101, 0x8102}}, {}, {{0x8103, 0x8104}}};
// F = 1, a table of 256 entries, then the eight bytes of words.
const std::string kBody = be16(1) + be16(514) + be16(518) + be16(518) + repeated(be16(522), 253) +
                          be16(0x0101) + be16(0x8102) + be16(0x8103) + be16(0x8104);

// Every list of a body seen with `available` bytes; nothing when refused.
std::optional<std::vector<PhraseSlot>> decodeAll(const std::vector<uint8_t>& bytes,
                                                 std::size_t available) {
    DataBlockView view{};
    if (!decodeDataBlockHead(bytes.data(), available, view)) return std::nullopt;
    std::vector<PhraseSlot> lists(kSlotsPerBlock);
    for (int p = view.first; p < kSlotsPerBlock; ++p) {
        if (!decodeDataBlockList(view, p, lists[p])) return std::nullopt;
    }
    return lists;
}

TEST(DataBlockTest, EncodesTheListsAndDecodesThemBack) {
    std::vector<uint8_t> body{0xEE};  // the body is appended after it
    ASSERT_TRUE(encodeDataBlock(kLists, body));
    EXPECT_EQ(std::string(body.begin() + 1, body.end()), kBody);

    const auto lists = decodeAll(bytesOf(kBody), kBody.size());
    ASSERT_TRUE(lists.has_value());
    for (int p = 0; p < kSlotsPerBlock; ++p) {
        const std::vector<uint16_t> expected = p < 4 ? kLists[p].words : std::vector<uint16_t>{};
        EXPECT_EQ((*lists)[p].words, expected) << "position " << p;
    }
}

struct DecodeCase {
    const char* name;
    std::string body;
    int words;  // words in all lists, -1 when the body is refused
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.name;
}

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, RefusesWhatDoesNotFit) {
    const DecodeCase& c = GetParam();
    const auto lists = decodeAll(bytesOf(c.body), c.body.size());
    int words = -1;
    if (lists) {
        words = 0;
        for (const PhraseSlot& list : *lists) words += static_cast<int>(list.words.size());
    }
    EXPECT_EQ(words, c.words);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeTest,
    ::testing::Values(DecodeCase{"Whole", kBody, 4},
                      DecodeCase{"OneByteShort", kBody.substr(0, 521), -1},
                      // Where a body ends is not known, only where the file does.
                      DecodeCase{"OneByteLong", kBody + "x", 4},
                      DecodeCase{"FirstAbove256", be16(257) + be16(4), -1},
                      DecodeCase{"TableLongerThanBody", be16(0) + be16(4), -1},
                      DecodeCase{"SizeEntryPastBody", be16(255) + be16(6) + be16(8), -1},
                      DecodeCase{"ListGoesBack", be16(255) + be16(6) + be16(4), -1},
                      DecodeCase{"OddLastByteIsNoWord",
                                 be16(255) + be16(6) + be16(9) + "\x81\x01\x02", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DataBlockTest, BodyMayReach65534ButNot65536Bytes) {
    // Positions 0 to 15: a table of 516 bytes, then 61440 + 2 x `last` bytes.
    const auto block = [](std::size_t last) {
        std::vector<PhraseSlot> lists(16, PhraseSlot{std::vector<uint16_t>(2048, 0x8101)});
        lists.back().words.resize(last);
        return lists;
    };
    std::vector<uint8_t> body;
    ASSERT_TRUE(encodeDataBlock(block(1789), body));
    EXPECT_EQ(body.size(), 65534u);
    EXPECT_EQ(getU16BE(body.data() + 2 + 2 * 256), 65534);

    body.clear();
    EXPECT_FALSE(encodeDataBlock(block(1790), body));
    EXPECT_TRUE(body.empty());
}

}  // namespace
