// Every resource record reads back what it writes, and its decode refuses a
// body that does not fit the layout.
#include <cstring>
#include <map>

#include "ime/database/ime_resources.h"
#include "tests/unit/ime/coder_fixture.h"

namespace {

using namespace coder_test;
using Bytes = std::vector<uint8_t>;

TEST(ImeHeaderResource, EveryFieldTakesItsOffsetAndComesBack) {
    ImeHeader header{};
    header.version = 0x0200;
    header.hzTotal = 0x01020304;
    header.id[0] = 'W';
    header.codingStyle = 2;
    header.repeatCount = 0x1234;
    header.wildChar = '?';
    header.usedCodeCount = 26;
    std::strcpy(header.author, "me");
    header.reserved2[15] = 9;
    Bytes body;
    encodeImeHeader(header, body);
    ASSERT_EQ(body.size(), 256u);
    EXPECT_EQ(Bytes(body.begin(), body.begin() + 2), (Bytes{0x02, 0x00}));
    EXPECT_EQ(Bytes(body.begin() + 8, body.begin() + 13), (Bytes{1, 2, 3, 4, 'W'}));
    EXPECT_EQ(body[21], 2);
    EXPECT_EQ(Bytes(body.begin() + 38, body.begin() + 41), (Bytes{0x12, 0x34, '?'}));
    EXPECT_EQ(body[47], 26);
    EXPECT_EQ(body[224], 'm');
    EXPECT_EQ(body[255], 9);

    ImeHeader back{};
    ASSERT_TRUE(decodeImeHeader(body.data(), body.size(), back));
    Bytes again;
    encodeImeHeader(back, again);
    EXPECT_EQ(again, body);
    EXPECT_FALSE(decodeImeHeader(body.data(), 255, back));
    body.push_back(0);
    EXPECT_FALSE(decodeImeHeader(body.data(), body.size(), back));
}

TEST(DisplayCodesResource, OneEntryPerCodeCharacter) {
    const DisplayCodes codes = {{'a', 0}, {0xB0, 0xA1}, {',', 0}};
    Bytes body;
    encodeDisplayCodes(codes, body);
    EXPECT_EQ(body, (Bytes{'a', 0, 0xB0, 0xA1, ',', 0}));
    DisplayCodes back;
    ASSERT_TRUE(decodeDisplayCodes(body.data(), body.size(), 3, back));
    EXPECT_EQ(back, codes);
    EXPECT_FALSE(decodeDisplayCodes(body.data(), 5, 3, back));
    EXPECT_FALSE(decodeDisplayCodes(body.data(), body.size(), 4, back));
}

ConvertedBitmap picture(int32_t width, int32_t height, uint8_t fill) {
    return {width, height, bitmapRowBytes(width),
            Bytes(static_cast<std::size_t>(bitmapBitsSize(width, height)), fill)};
}

TEST(KeyboardBitmapResource, FamiliesComeBackAndBrokenOnesAreRefused) {
    const KeyboardBitmap alone{picture(154, 54, 0x11), std::nullopt};
    const KeyboardBitmap family{picture(156, 53, 0x22), picture(312, 106, 0x33)};
    for (const KeyboardBitmap& bitmap : {alone, family}) {
        Bytes body;
        encodeKeyboardBitmap(bitmap, body);
        KeyboardBitmap back;
        ASSERT_TRUE(decodeKeyboardBitmap(body.data(), body.size(), back));
        EXPECT_EQ(back, bitmap);
        EXPECT_FALSE(decodeKeyboardBitmap(body.data(), body.size() - 1, back));
        body.push_back(0);
        EXPECT_FALSE(decodeKeyboardBitmap(body.data(), body.size(), back));
        body.pop_back();
        body[5] ^= 2;  // rowBytes no longer that of the width
        EXPECT_FALSE(decodeKeyboardBitmap(body.data(), body.size(), back));
    }
    Bytes body;
    encodeKeyboardBitmap(family, body);
    ASSERT_EQ(body.size(), 5356u);
    body[11] += 1;  // the next-depth offset misses the separator
    KeyboardBitmap back;
    EXPECT_FALSE(decodeKeyboardBitmap(body.data(), body.size(), back));
}

class CodeTablesResource : public CoderTest {
  protected:
    // The bodies of the seven tables, by type, as the database holds them.
    std::map<std::string, Bytes> bodies() const {
        std::map<std::string, Bytes> found;
        for (const DatabaseResource& r : imeResources(layout))
            found[std::string(r.type, 4)] = r.body;
        return found;
    }
    static std::span<const uint8_t> span(const Bytes& bytes) {
        return {bytes.data(), bytes.size()};
    }

    bool decode(const std::map<std::string, Bytes>& b, CodeTables& tables) const {
        const auto at = [&](const char* type) {
            const auto it = b.find(type);
            return it == b.end() ? std::span<const uint8_t>() : span(it->second);
        };
        return decodeCodeTables(
            settledHeader(layout),
            {at("RT31"), at("RT41"), at("RT42"), at("RT32"), at("RT33"), at("RT51"), at("RT52")},
            tables);
    }
};

TEST_F(CodeTablesResource, BothStylesComeBack) {
    const std::string X = gbChar(1666), Y = gbChar(1667), Z = gbChar(3000);
    for (int style : {1, 2}) {
        const std::string text = "a " + X + "\nab " + Y + "\nb " + X + "\nbcd " + Z + Y + "\n";
        ASSERT_EQ(code({.codingStyle = style, .maxCodes = 4}, text), 0);
        CodeTables back;
        ASSERT_TRUE(decode(bodies(), back)) << "style " << style;
        EXPECT_EQ(back, layout.tables) << "style " << style;
    }
}

TEST_F(CodeTablesResource, BodiesThatDisagreeAreRefused) {
    const std::string X = gbChar(1666), Y = gbChar(1667);
    ASSERT_EQ(code({.codingStyle = 2, .maxCodes = 4}, "a " + X + Y + "\nb " + X + "\n"), 0);
    const std::map<std::string, Bytes> good = bodies();
    CodeTables back;
    ASSERT_TRUE(decode(good, back));
    const struct {
        const char* name;
        const char* type;
        std::function<void(Bytes&)> damage;
    } cases[] = {
        {"Index one byte short", "RT31", [](Bytes& b) { b.pop_back(); }},
        {"Index one byte long", "RT31", [](Bytes& b) { b.push_back(0); }},
        {"Bits not E + 1 records", "RT41", [](Bytes& b) { b.resize(b.size() + 4); }},
        {"HZInd end not T + 1", "RT32", [](Bytes& b) { b.back() += 1; }},
        {"HZTab character outside the coded range", "RT33", [](Bytes& b) { b[3] = 0; }},
        {"reference outside RepeatBlocks", "RT51", [](Bytes& b) { b[1] = 0x05; }},
        {"entry missing from the map", "RT52", [](Bytes& b) { b[3] = 0x01; }},
    };
    for (const auto& c : cases) {
        std::map<std::string, Bytes> damaged = good;
        c.damage(damaged[c.type]);
        EXPECT_FALSE(decode(damaged, back)) << c.name;
    }
}

}  // namespace
