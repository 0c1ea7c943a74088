#include "ime/source/value_list.h"

#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

struct ListCase {
    const char* text;
    int count;
    std::string stored;  // the first 2 x count bytes of the area
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << "\"" << c.text << "\"";
}

class ValueListCase : public ::testing::TestWithParam<ListCase> {
  protected:
    void SetUp() override { useMabrelMessages(); }
};

TEST_P(ValueListCase, StoresTwoBytesPerItem) {
    const ListCase& c = GetParam();
    std::vector<ValuePair> items;
    const PassRun run = runCaptured(
        [&] { return parseValueList(c.text, items) == 0 ? static_cast<int>(items.size()) : -1; });
    EXPECT_EQ(run.rc, c.count);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(bytesOf(items.data(), 2 * items.size()), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ValueListCase,
    ::testing::Values(ListCase{"a,b", 2, std::string("a\0b\0", 4)},
                      ListCase{" 1 ,\t2 , 3", 3,
                               std::string("1\0"
                                           "2\0"
                                           "3\0",
                                           6)},
                      ListCase{"ab,\xB0\xA1", 2, "ab\xB0\xA1"},
                      ListCase{"0x2C,0X4f,0x4", 3, std::string("\x2C\0\x4F\0\x04\0", 6)},
                      ListCase{"0x", 1, "0x"}, ListCase{"a,,b", 1, std::string("a\0", 2)},
                      ListCase{"a,", 1, std::string("a\0", 2)}, ListCase{",a", 0, ""},
                      ListCase{"", 0, ""}));

TEST(ValueList, ReadsAListLongerThanTheAreaWhole) {
    useMabrelMessages();
    std::string text = "z";
    for (int i = 1; i < 130; ++i) text += ",a";
    std::vector<ValuePair> items;
    ASSERT_EQ(parseValueList(text.c_str(), items), 0);
    ASSERT_EQ(items.size(), 130u);
    EXPECT_EQ(items[0], (ValuePair{'z', 0}));
    EXPECT_EQ(items[129], (ValuePair{'a', 0}));
}

class MalformedItem : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override { useMabrelMessages(); }
};

TEST_P(MalformedItem, StopsTheRunWithStatusOne) {
    const std::string& text = GetParam();
    std::vector<ValuePair> items;
    const PassRun run = runCaptured([&] { return parseValueList(text.c_str(), items); });
    EXPECT_EQ(run.rc, kStopStatus);
    // A message text is cut at 255 characters.
    const std::string message = "Format error, \"" + text + "\"";
    EXPECT_EQ(run.output, unsectioned(606, message.substr(0, 255)));
}

std::string longListEndingBadly() {
    std::string text = "a";
    for (int i = 1; i < 130; ++i) text += ",b";
    return text + ",bad";
}

INSTANTIATE_TEST_SUITE_P(Items, MalformedItem,
                         ::testing::Values("abc", "a, 0x123", "0xG1", "0x1G", "1x2C", "0x2C3",
                                           longListEndingBadly()));

}  // namespace
