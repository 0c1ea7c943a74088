#include "ime/database/bit_packing.h"

#include <random>
#include <vector>

#include "tests/unit/ime/coder_fixture.h"

namespace {

using namespace coder_test;

class BitPackingTest : public CoderTest {};

std::vector<uint8_t> packed(const CMabrel& mabrel, const char* code) {
    const ImeHeader header = headerOf(mabrel);
    WorkBuffer buffer{};
    packCode(header, CodeAlphabet(header), code, buffer);
    const int length = header.codeHeadBytes + header.codeRestBytes;
    return {buffer.begin(), buffer.begin() + length};
}

std::string unpacked(const CMabrel& mabrel, const std::vector<uint8_t>& bytes) {
    char code[16] = {};
    unpackCode(headerOf(mabrel), bytes.data(), code);
    return code;
}

TEST_F(BitPackingTest, PacksTheWorkedCodesOfTwentySixLetters) {
    ASSERT_TRUE(setGeometry(mabrel, {.maxCodes = 4}));
    const struct {
        const char* code;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"ba", {0x04, 0x10, 0x00}},
        {"a", {0x02, 0x00, 0x00}},
        {"abcd", {0x02, 0x21, 0x90}},
        {"zzzz", {0x35, 0xAD, 0x68}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(packed(mabrel, c.code), c.bytes) << c.code;
        EXPECT_EQ(unpacked(mabrel, c.bytes), c.code);
    }
}

TEST_F(BitPackingTest, SymbolWidthFollowsTheAlphabetSize) {
    // Three symbols still take two bits; L = 11 / 8 is raised to 2 bytes.
    ASSERT_TRUE(setGeometry(mabrel, {.usedCodes = "xyz", .maxCodes = 3}));
    EXPECT_EQ(packed(mabrel, "zyx"), (std::vector<uint8_t>{0x39, 0x00}));

    // Sixty-three symbols take six bits and the last one is all ones.
    std::string alphabet;
    for (char c = '!'; alphabet.size() < 63; ++c) alphabet += c;
    ASSERT_TRUE(setGeometry(mabrel, {.usedCodes = alphabet.c_str(), .maxCodes = 4}));
    const std::string last(2, alphabet.back());
    EXPECT_EQ(CodeAlphabet(headerOf(mabrel)).symbolOf(alphabet.back()), 63);
    EXPECT_EQ(CodeAlphabet(headerOf(mabrel)).symbolOf('~'), 0);
    EXPECT_EQ(packed(mabrel, last.c_str()), (std::vector<uint8_t>{0x3F, 0xFC, 0x00, 0x00}));
}

TEST_F(BitPackingTest, UnpackIgnoresThePrimaryFlag) {
    ASSERT_TRUE(setGeometry(mabrel, {.maxCodes = 4}));
    std::vector<uint8_t> bytes = packed(mabrel, "abcd");
    bytes[0] |= 0x80;
    EXPECT_EQ(unpacked(mabrel, bytes), "abcd");
}

// The head and rest records CodePacker writes, one after the other.
std::vector<uint8_t> packedInto(const CMabrel& mabrel, const char* code) {
    const ImeHeader header = headerOf(mabrel);
    const CodeAlphabet alphabet(header);
    std::vector<uint8_t> bytes(header.codeHeadBytes + header.codeRestBytes, 0xAA);
    CodePacker(header, alphabet).pack(code, bytes.data(), bytes.data() + header.codeHeadBytes);
    return bytes;
}

TEST_F(BitPackingTest, RandomCodesSurviveTheRoundTripAndPackTheSameIntoRecords) {
    std::mt19937 random(20240601);
    const std::string alphabet = "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnop";
    for (int usedCount : {3, 5, 9, 17, 26, 40, 63}) {
        for (int maxCodes = 1; maxCodes <= 12; ++maxCodes) {
            const std::string used = alphabet.substr(0, usedCount);
            if (!setGeometry(mabrel, {.usedCodes = used.c_str(), .maxCodes = maxCodes})) continue;
            for (int trial = 0; trial < 20; ++trial) {
                std::string code(1 + random() % maxCodes, ' ');
                for (char& c : code) c = used[random() % used.size()];
                EXPECT_EQ(unpacked(mabrel, packed(mabrel, code.c_str())), code)
                    << usedCount << " symbols, MaxCodes " << maxCodes;
                EXPECT_EQ(packedInto(mabrel, code.c_str()), packed(mabrel, code.c_str()))
                    << usedCount << " symbols, MaxCodes " << maxCodes;
            }
        }
    }
}

TEST_F(BitPackingTest, TheWidestCodeFillsFourBytes) {
    // 63 symbols of six bits, MaxCodes 5: 2 + 30 bits, the last field in the
    // low six bits of byte 3.
    std::string alphabet;
    for (char c = '!'; alphabet.size() < 63; ++c) alphabet += c;
    ASSERT_TRUE(setGeometry(mabrel, {.usedCodes = alphabet.c_str(), .maxCodes = 5}));
    const std::string widest(5, alphabet.back());
    const std::vector<uint8_t> bytes{0x3F, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(packed(mabrel, widest.c_str()), bytes);
    EXPECT_EQ(unpacked(mabrel, bytes), widest);
}

}  // namespace
