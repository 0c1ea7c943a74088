#include "foundation/key_table.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/source_reader.h"
#include "tests/unit/foundation/test_tool.h"

namespace {

using test_tool::TempSource;

// Loads the "[Description]" section of `text` into a table.
class KeyTableTest : public ::testing::Test {
  protected:
    void SetUp() override { test_tool::use(); }

    int load(const std::string& body) {
        source_ = std::make_unique<TempSource>("[Description]\n" + body);
        EXPECT_TRUE(openSource(reader_, source_->path()));
        EXPECT_TRUE(seekSection(reader_, test_tool::kDescription));
        return table_.loadSection(reader_.stream);
    }

    std::unique_ptr<TempSource> source_;
    SourceReader reader_;
    CKeyTable table_;
};

struct LookupCase {
    const char* line;
    const char* key;
    bool wholeLine;
    const char* value;  // nullptr: none
};

TEST_F(KeyTableTest, FindValueModes) {
    const LookupCase cases[] = {
        {"CharSet  =  ChineseGB   // set\n", "CharSet", false, "ChineseGB"},
        {"CharSet  =  ChineseGB   // set\n", "CharSet", true, "ChineseGB"},
        {"  fullname = Pin Yin  \t// c\n", "FullName", true, "Pin Yin"},
        {"  fullname = Pin Yin  \t// c\n", "FullName", false, "Pin"},
        {"Row10=a,b\n", "Row1", true, nullptr},
        {"Row1 =a, b//x\n", "Row1", true, "a, b"},
        {"Name=a//b\n", "Name", false, "a"},
        {"Name\t=\tx\ty\n", "Name", true, "x\ty"},
        {"Other=1\n", "Name", true, nullptr},
    };
    for (const LookupCase& c : cases) {
        ASSERT_EQ(load(c.line), 1) << c.line;
        const char* value = table_.findValue(c.key, c.wholeLine);
        if (c.value == nullptr) {
            EXPECT_EQ(value, nullptr) << c.line;
        } else {
            ASSERT_NE(value, nullptr) << c.line;
            EXPECT_STREQ(value, c.value) << c.line;
        }
    }
}

TEST_F(KeyTableTest, EmptyValueReportsAndHidesLaterLines) {
    ASSERT_EQ(load("ID =\nID=ABCD\n"), 2);
    testing::internal::CaptureStdout();
    EXPECT_EQ(table_.findValue("ID", false), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\r \r\aL3, [Description], Message 504: Key \"ID\" no value\n");
}

TEST_F(KeyTableTest, LookupCutsTheStoredLine) {
    ASSERT_EQ(load("Name=a b\n"), 1);
    EXPECT_STREQ(table_.findValue("Name", false), "a");
    EXPECT_STREQ(table_.findValue("Name", true), "a");
}

TEST_F(KeyTableTest, RequiredKeyEmptyPrints504Then502) {
    ASSERT_EQ(load("CharSet=\n"), 1);
    char destination[16] = "keep";
    testing::internal::CaptureStdout();
    EXPECT_EQ(getKeyValue(table_, test_tool::kCharSet, destination, 16, true, false), 502);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\r \r\aL2, [Description], Message 504: Key \"CharSet\" no value\n"
              "\r \r\aL2, [Description], Message 502: You must set \"CharSet=????\" key\n");
    EXPECT_STREQ(destination, "keep");
    EXPECT_EQ(getKeyValue(table_, test_tool::kCharSet, destination, 16, false, false), 0);
}

TEST_F(KeyTableTest, ValueMustFitItsDestination) {
    ASSERT_EQ(load("CharSet=ABCDEFG\n"), 1);
    char destination[8] = {};
    testing::internal::CaptureStdout();
    EXPECT_EQ(getKeyValue(table_, test_tool::kCharSet, destination, 7, true, false), 505);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Message 505"), std::string::npos);
    EXPECT_EQ(getKeyValue(table_, test_tool::kCharSet, destination, 8, true, false), 0);
    EXPECT_STREQ(destination, "ABCDEFG");
}

TEST_F(KeyTableTest, SixtyFourKeyLinesAreTooMany) {
    std::string lines;
    for (int i = 0; i < 63; ++i) lines.append("k").append(std::to_string(i)).append("=v\n//c\n\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(load(lines), 63);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    testing::internal::CaptureStdout();
    EXPECT_EQ(load(lines + "k63=v\nk64=v\n"), 503);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\r \r\aL191, [Description], Message 503: Too many keywords!\n");
    EXPECT_EQ(table_.count(), 64);
    EXPECT_STREQ(table_.line(63), "k63=v\n");
}

TEST_F(KeyTableTest, EntryAtSplitsNameAndValue) {
    ASSERT_EQ(load("  pe2 \t= f11 + f21 // c\nnoequals\n=x\npa3=\n"), 4);
    char name[kKeyNameBufferSize];
    EXPECT_STREQ(table_.entryAt(0, name, true), "f11 + f21");
    EXPECT_STREQ(name, "pe2");
    EXPECT_EQ(table_.entryAt(1, name, true), nullptr);
    EXPECT_EQ(table_.entryAt(2, name, true), nullptr);
    testing::internal::CaptureStdout();
    EXPECT_EQ(table_.entryAt(3, name, true), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Key \"pa3\" no value"),
              std::string::npos);
    EXPECT_EQ(table_.entryAt(4, name, true), nullptr);
}

TEST_F(KeyTableTest, EntryAtCutsLongNames) {
    ASSERT_EQ(load(std::string(300, 'n') + "=v\n"), 1);
    char name[kKeyNameBufferSize];
    EXPECT_STREQ(table_.entryAt(0, name, true), "v");
    EXPECT_EQ(std::string(name), std::string(255, 'n'));
}

TEST_F(KeyTableTest, EmptySectionLoadsNothing) {
    EXPECT_EQ(load("\n// c\n  \n[Text]\n"), 0);
}

}  // namespace
