#include "foundation/diagnostics.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/foundation/test_tool.h"

namespace {

struct ReportCase {
    const char* name;
    int section;
    int line;
    unsigned code;
    const char* format;
    const char* argument;
    const char* expected;
};

class ReportForms : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportForms, PrintsExactly) {
    const ReportCase& c = GetParam();
    test_tool::use();
    currentSection = c.section;
    lineNumber = c.line;
    spinnerPosition = 3;
    testing::internal::CaptureStdout();
    const int rc = report(c.code, c.format, c.argument);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.expected);
    EXPECT_EQ(rc, static_cast<int>(c.code));
    EXPECT_EQ(spinnerPosition, 0);
}

INSTANTIATE_TEST_SUITE_P(
    All, ReportForms,
    ::testing::Values(
        ReportCase{"plain", test_tool::kRules, 9, 0, "Hello %s", "you", "\r \rHello you\n"},
        ReportCase{"note_in_section", test_tool::kRules, 9, 1, "Start %s", "x",
                   "\r \r[Rules] Start x\n"},
        ReportCase{"note_without_section", test_tool::kNoSection, 9, 1, "Start %s", "x",
                   "\r \rStart x\n"},
        ReportCase{"numbered_in_section", test_tool::kDescription, 7, 502,
                   "You must set \"%s=????\" key", "CharSet",
                   "\r \r\aL7, [Description], Message 502: You must set \"CharSet=????\" key\n"},
        ReportCase{"numbered_without_section", test_tool::kNoSection, 7, 502,
                   "You must set \"%s=????\" key", "CharSet",
                   "\r \r\aMessage 502 : You must set \"CharSet=????\" key\n"},
        ReportCase{"own_format", test_tool::kText, 12, 900, "No code in \"%s\"", "x\n",
                   "\r \r\aL12, [Text], Message 900: No code in \"x\n\"\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Report, CutsTextAt255Characters) {
    test_tool::use();
    const std::string longText(400, 'x');
    testing::internal::CaptureStdout();
    report(0, "%s", longText.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\r \r" + std::string(255, 'x') + "\n");
}

TEST(Report, KeyNamesAndNoSection) {
    test_tool::use();
    EXPECT_EQ(currentSection, test_tool::kNoSection);
    EXPECT_STREQ(keyName(test_tool::kCharSet), "CharSet");
    EXPECT_EQ(keyName(test_tool::kNoSection), nullptr);
    EXPECT_EQ(keyName(-1), nullptr);
}

TEST(Spinner, CyclesThroughFiveCharactersAndClears) {
    spinnerPosition = 0;
    testing::internal::CaptureStdout();
    for (int i = 0; i < 6; ++i) advanceSpinner();
    clearSpinner();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\r-\r|\r/\r-\r\\\r-\r \r");
    EXPECT_EQ(spinnerPosition, 0);
}

}  // namespace
