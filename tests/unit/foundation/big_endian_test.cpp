#include "foundation/big_endian.h"

#include <gtest/gtest.h>

TEST(BigEndian, WritesAndReadsMostSignificantByteFirst) {
    uint8_t bytes[6] = {};
    putU32BE(bytes, 0x01020304);
    putU16BE(bytes + 4, 0xA1B2);
    const uint8_t expected[6] = {0x01, 0x02, 0x03, 0x04, 0xA1, 0xB2};
    EXPECT_EQ(0, memcmp(bytes, expected, 6));
    EXPECT_EQ(getU32BE(bytes), 0x01020304u);
    EXPECT_EQ(getU16BE(bytes + 4), 0xA1B2);
    putU32BE(bytes, 0xFFFFFFFF);
    EXPECT_EQ(getU32BE(bytes), 0xFFFFFFFFu);
}
