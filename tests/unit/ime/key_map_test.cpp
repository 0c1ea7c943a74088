#include "ime/source/key_map.h"

#include "ime/database/key_map_resource.h"
#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

class KeyMapTest : public SourceTest {
  protected:
    PassRun parse(const std::string& text) {
        openText(text);
        return runCaptured([&] { return parseKeyMapTable(mabrel); });
    }

    std::string row(int index) const { return resourceBody(mabrel, "RT13").substr(24 * index, 24); }
};

std::string entries(const std::string& singleBytes) {
    std::string bytes;
    for (char c : singleBytes) bytes += std::string(1, c) + '\0';
    bytes.resize(24, '\0');
    return bytes;
}

TEST_F(KeyMapTest, SampleRows) {
    const PassRun run = parse(
        "[KeyMapTable]\n"
        "//COl 1  2  3  4  5  6  7     8  9  10 11\n"
        "Row1= 1, 2, 3, 4, 5, 6, 7,    8, 9, 0, -\n"
        "Row2= q, w, e, r, t, y, u,    i, o, p, \\\n"
        "Row3= a, s, d, f, g, h, j,    k, l, ;, '\n"
        "Row4= z, x, c, v, b, n, m, 0x2C, ., /, ?\n");
    ASSERT_EQ(run.rc, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(row(0), entries("1234567890-"));
    EXPECT_EQ(row(1), entries("qwertyuiop\\"));
    EXPECT_EQ(row(2), entries("asdfghjkl;'"));
    EXPECT_EQ(row(3),
              std::string("z\0x\0c\0v\0b\0n\0m\0\x2C\0.\0/\0?\0", 22) + std::string(2, '\0'));
    EXPECT_EQ(row(4), std::string(24, '\0'));
}

TEST_F(KeyMapTest, RowsInAnyOrderOthersZero) {
    const PassRun run = parse("[KeyMapTable]\nOther=1\nRow3=a,,b\nRow2=\xB0\xA1, xy\n[Text]\n");
    ASSERT_EQ(run.rc, 0);
    EXPECT_EQ(row(0), std::string(24, '\0'));
    EXPECT_EQ(row(1), std::string("\xB0\xA1xy", 4) + std::string(20, '\0'));
    EXPECT_EQ(row(2), entries("a"));
    EXPECT_EQ(row(3), std::string(24, '\0'));
}

TEST_F(KeyMapTest, TwelveItemsFillTheRow) {
    const PassRun run = parse("[KeyMapTable]\nRow1=a,b,c,d,e,f,g,h,i,j,k,l\n");
    ASSERT_EQ(run.rc, 0);
    EXPECT_EQ(row(0), entries("abcdefghijkl"));
    EXPECT_EQ(row(1), std::string(24, '\0'));
}

TEST_F(KeyMapTest, MissingSectionLeavesNoKeyMap) {
    const PassRun run = parse("[Description]\nRow1=a\n");
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_FALSE(mabrel.im.keyMap.has_value());
}

TEST(KeyMapResource, DecodesWhatItEncodes) {
    KeyMap keyMap;
    keyMap.rows[0][0] = {'a', 0};
    keyMap.rows[3][11] = {0xB0, 0xA1};
    std::vector<uint8_t> body;
    encodeKeyMap(keyMap, body);
    ASSERT_EQ(body.size(), 120u);
    EXPECT_EQ(body[0], 'a');
    EXPECT_EQ(body[94], 0xB0);
    KeyMap back;
    ASSERT_TRUE(decodeKeyMap(body.data(), body.size(), back));
    EXPECT_EQ(back.rows, keyMap.rows);
    EXPECT_FALSE(decodeKeyMap(body.data(), 119, back));
    body.push_back(0);
    EXPECT_FALSE(decodeKeyMap(body.data(), body.size(), back));
}

}  // namespace
