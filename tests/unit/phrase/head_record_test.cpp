#include "phrase/head_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/database_bytes.h"

namespace {

using test_support::be16;

TEST(HeadRecordTest, EncodesBigEndianFieldByFieldAndDecodesBack) {
    const HeadRecord head{0x0200, 0x0011, 256, 20037, 78, 7, 0x01020304, "sig"};
    std::vector<uint8_t> bytes{0xEE};  // the record is appended after it
    encodeHeadRecord(head, bytes);
    const std::string expected = std::string("\xEE") + be16(0x0200) + be16(0x11) + be16(256) +
                                 be16(20037) + be16(78) + be16(7) + be16(0x0102) + be16(0x0304) +
                                 "sig" + std::string(45, '\0');
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);

    HeadRecord back{};
    ASSERT_TRUE(decodeHeadRecord(bytes.data() + 1, 64, back));
    EXPECT_EQ(std::memcmp(&back, &head, sizeof head), 0);
    EXPECT_FALSE(decodeHeadRecord(bytes.data() + 1, 63, back));
}

}  // namespace
