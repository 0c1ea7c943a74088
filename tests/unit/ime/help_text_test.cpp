#include "ime/source/help_text.h"

#include "ime/database/help_text_resource.h"
#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

class HelpTextTest : public SourceTest {
  protected:
    PassRun parse(const std::string& text) {
        openText(text);
        return runCaptured([&] { return parseHelp(mabrel); });
    }

    std::string helpBody() const { return resourceBody(mabrel, "tSTR"); }
};

TEST_F(HelpTextTest, SampleSection) {
    const PassRun run = parse("[Help]\nWrite something here\n\n[Text]\nab A\n");
    ASSERT_EQ(run.rc, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(helpBody(), std::string("Write something here\n\n\0\0", 24));
    EXPECT_EQ(lineNumber, 3);
}

struct HelpCase {
    const char* name;
    std::string source;
    std::string body;  // helpSize bytes
};

void PrintTo(const HelpCase& c, std::ostream* os) {
    *os << c.name;
}

class HelpSizes : public HelpTextTest, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpSizes, TextNulAndPadByte) {
    const PassRun run = parse(GetParam().source);
    ASSERT_EQ(run.rc, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(helpBody(), GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HelpSizes,
    ::testing::Values(HelpCase{"EmptySection", "[Help]\n[Text]\nab A\n", ""},
                      HelpCase{"CommentLinesCount", "[Help]\n// note\n",
                               std::string("// note\n\0\0", 10)},
                      HelpCase{"EvenWithNul", "[Help]\nab\n", std::string("ab\n\0", 4)},
                      HelpCase{"BracketWithoutHeader", "[Help]\n[]\n [x\n[Rules]\n",
                               std::string("[]\n [x\n\0", 8)},
                      HelpCase{"LongLineInPieces", "[Help]\n" + std::string(1000, 'a') + "\n",
                               std::string(1000, 'a') + std::string("\n\0", 2)}),
    [](const ::testing::TestParamInfo<HelpCase>& info) { return std::string(info.param.name); });

TEST_F(HelpTextTest, MissingSection) {
    const PassRun run = parse("[Rules]\npa2=f10+f20\n");
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(mabrel.im.helpText, "");
    EXPECT_EQ(helpBody(), "");
}

// 16 lines of 510 bytes.
std::string fullLines() {
    std::string lines;
    for (int i = 0; i < 16; ++i) lines += std::string(509, 'a') + "\n";
    return lines;
}

TEST_F(HelpTextTest, LastLineMayCarryTheTextPastTheLimit) {
    const std::string kept =
        fullLines() + std::string(27, 'b') + "\n" + std::string(509, 'c') + "\n";
    ASSERT_EQ(kept.size(), 8698u);
    const PassRun run = parse("[Help]\n" + kept + "dropped\nalso dropped\n[Text]\n");
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(run.output, numbered(20, "[Help]", 608, "Help text too long!"));
    EXPECT_EQ(helpBody(), kept + std::string(2, '\0'));
}

TEST_F(HelpTextTest, NoLineIsAddedOnceTheTextReachesTheLimit) {
    const std::string kept = fullLines() + std::string(28, 'b') + "\n";
    ASSERT_EQ(kept.size(), 8189u);
    const PassRun run = parse("[Help]\n" + kept + "x\n");
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(run.output, numbered(19, "[Help]", 608, "Help text too long!"));
    EXPECT_EQ(helpBody(), kept + std::string(1, '\0'));
}

TEST(HelpTextResource, DecodesWhatItEncodesAndRefusesBadBodies) {
    std::vector<uint8_t> body;
    encodeHelpText("ab\n", body);
    EXPECT_EQ(body, (std::vector<uint8_t>{'a', 'b', '\n', 0}));
    std::string text;
    ASSERT_TRUE(decodeHelpText(body.data(), body.size(), text));
    EXPECT_EQ(text, "ab\n");
    EXPECT_FALSE(decodeHelpText(body.data(), 3, text));  // odd
    EXPECT_FALSE(decodeHelpText(body.data(), 2, text));  // no NUL
    EXPECT_EQ(helpSize(""), 0);
}

}  // namespace
