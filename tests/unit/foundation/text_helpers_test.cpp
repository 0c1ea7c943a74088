#include "foundation/text_helpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The C library's atoi is strtol cut to int; decimalValue must agree with it
// everywhere, overflow included.
TEST(DecimalValue, ReadsAsTheCLibraryDoes) {
    const char* texts[] = {"",
                           "7",
                           "  \t\n+42x",
                           "-12",
                           "--3",
                           "0x10",
                           "2,1",
                           "258",
                           "-1",
                           "4294967298",
                           "2147483648",
                           "9223372036854775807",
                           "9223372036854775808",
                           "99999999999999999999999",
                           "-9223372036854775808",
                           "-9223372036854775809",
                           "-99999999999999999999999",
                           "\v\f\r 5"};
    for (const char* text : texts) {
        EXPECT_EQ(decimalValue(text), static_cast<int>(std::strtol(text, nullptr, 10))) << text;
    }
}

TEST(SplitItems, DropsBlanksAndStopsAtTheFirstEmptyItem) {
    using Items = std::vector<std::string>;
    EXPECT_EQ(splitItems(" a , b\t,c", ','), (Items{"a", "b", "c"}));
    EXPECT_EQ(splitItems("f11 + f21 ++ f31", '+'), (Items{"f11", "f21"}));
    EXPECT_EQ(splitItems("a,", ','), (Items{"a"}));
    EXPECT_EQ(splitItems(",a", ','), Items{});
    EXPECT_EQ(splitItems("  ", ','), Items{});
}

TEST(HexDigitValue, BothCases) {
    EXPECT_EQ(hexDigitValue('0'), 0);
    EXPECT_EQ(hexDigitValue('9'), 9);
    EXPECT_EQ(hexDigitValue('a'), 10);
    EXPECT_EQ(hexDigitValue('F'), 15);
    EXPECT_EQ(hexDigitValue('g'), -1);
    EXPECT_EQ(hexDigitValue('\xB0'), -1);
}

}  // namespace
