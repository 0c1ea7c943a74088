#include "ime/source/rules.h"

#include <vector>

#include "ime/database/rules_resource.h"
#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

class RulesTest : public SourceTest {
  protected:
    PassRun parse(int codingStyle, const std::vector<std::string>& lines) {
        mabrel.im.codingStyle = codingStyle;
        std::string text = "[Rules]\n";
        for (const std::string& line : lines) text += line + "\n";
        lastLine = static_cast<int>(lines.size()) + 1;
        openText(text);
        return runCaptured([&] { return parseRules(mabrel); });
    }

    std::string message(int code, const std::string& text) const {
        return numbered(lastLine, "[Rules]", code, text);
    }

    // The "RT14" body: every record padded to ruleSize.
    std::string recordsBody() const { return resourceBody(mabrel, "RT14"); }

    int lastLine = 0;
};

// A record: kind, HanZi count, then (direction, HanZi number, code number)
// for each item, every field two bytes.
std::string record(char kind, int hanZiCount, std::vector<std::array<int, 3>> items) {
    std::string bytes = {
        '\0', kind, '\0', static_cast<char>(hanZiCount), '\0', static_cast<char>(items.size())};
    for (const auto& item : items) {
        for (int field : item) bytes += std::string{'\0', static_cast<char>(field)};
    }
    return bytes;
}

const std::vector<std::string> kSampleRules = {"pa4=f10+f20+f30+f40", "pe2=f10+f20",
                                               "pe3=f10+f20+f30"};

TEST_F(RulesTest, SampleRulesUnderWholeCodeStyle) {
    const PassRun run = parse(2, kSampleRules);
    ASSERT_EQ(run.rc, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(laidOut(mabrel).header.ruleCount, 3);
    EXPECT_EQ(laidOut(mabrel).header.ruleSize, 30);
    EXPECT_EQ(laidOut(mabrel).header.minRuleItems, 2);
    EXPECT_EQ(laidOut(mabrel).header.maxRuleItems, 4);
    const std::string pa4 = std::string(
        "\x00\x41\x00\x04\x00\x04\x00\x46\x00\x01\x00\x00\x00\x46\x00\x02\x00\x00"
        "\x00\x46\x00\x03\x00\x00\x00\x46\x00\x04\x00\x00",
        30);
    const std::string pe2 = record('E', 2, {{'F', 1, 0}, {'F', 2, 0}}) + std::string(12, '\0');
    const std::string pe3 =
        record('E', 3, {{'F', 1, 0}, {'F', 2, 0}, {'F', 3, 0}}) + std::string(6, '\0');
    EXPECT_EQ(recordsBody(), pa4 + pe2 + pe3);
}

TEST_F(RulesTest, SampleRulesUnderEqualLengthStyle) {
    const PassRun run = parse(1, kSampleRules);
    EXPECT_EQ(run.rc, 800);
    EXPECT_EQ(run.output, message(800,
                                  "Equal length coding can not have whole code number, "
                                  "\"pa4=f10+f20+f30+f40\""));
}

TEST_F(RulesTest, BackwardItemsBlanksAndCase) {
    const PassRun run = parse(1, {"PE2=B11+F21", "paf = b1f +\tbF3 + fA1"});
    ASSERT_EQ(run.rc, 0) << run.output;
    EXPECT_EQ(recordsBody(), record('E', 2, {{'B', 1, 1}, {'F', 2, 1}}) + std::string(6, '\0') +
                                 record('A', 15, {{'B', 1, 15}, {'B', 15, 3}, {'F', 10, 1}}));
    EXPECT_EQ(laidOut(mabrel).header.ruleSize, 24);
}

// One rule line, after a valid one, that stops the pass; the message ends
// with the rule as written (its name and value trimmed).
struct FaultyRule {
    const char* name;
    int codingStyle;
    std::string line;
    int code;
    std::string text;
    std::string shownRule = "";  // when it differs from the line
};

void PrintTo(const FaultyRule& c, std::ostream* os) {
    *os << c.name;
}

class FaultyRules : public RulesTest, public ::testing::WithParamInterface<FaultyRule> {};

TEST_P(FaultyRules, StopWithTheirMessage) {
    const FaultyRule& c = GetParam();
    const PassRun run =
        parse(c.codingStyle, {c.codingStyle == 1 ? "PA2=B11+F21" : "PA2=B10+F20", c.line});
    EXPECT_EQ(run.rc, c.code);
    const std::string shown = c.shownRule.empty() ? c.line : c.shownRule;
    EXPECT_EQ(run.output, message(c.code, c.text + " \"" + shown + "\""));
}

std::string itemList(int count, const std::string& last = "F11") {
    std::string value = "F11";
    for (int i = 1; i < count - 1; ++i) value += "+F21";
    return value + "+" + last;
}

const char* const kCommandError = "Rule command format error,";
const char* const kHanZiError = "Rule item HanZi number error,";
const char* const kDirectionError = "Rule item direction format error,";

INSTANTIATE_TEST_SUITE_P(
    Lines, FaultyRules,
    ::testing::Values(
        FaultyRule{"CountBelowTwo", 1, "PA1=F11+F21", 800, kCommandError},
        FaultyRule{"CountNotHex", 1, "PAG=F11+F21", 800, kCommandError},
        FaultyRule{"KindLetter", 1, "PB2=F11+F21", 800, kCommandError},
        FaultyRule{"CommandLength", 1, "PA22=F11+F21", 800, kCommandError},
        FaultyRule{"HanZiAboveCount", 1, "PA4=F51+F11", 800, kHanZiError},
        FaultyRule{"HanZiZero", 1, "PA4=F01+F11", 800, kHanZiError},
        FaultyRule{"Direction", 1, "PA3=X11+F21", 800, kDirectionError},
        FaultyRule{"ItemLength", 1, "PA3=F11+F2", 800, kDirectionError},
        FaultyRule{"CodeNumber", 1, "PA3=F1G+F21", 800, "Rule item code number error,"},
        FaultyRule{"PartOfCodeInWholeCodeStyle", 2, "pa3 = f10 + f21 ", 800,
                   "Not equal length coding can only have whole code number,", "pa3=f10 + f21"},
        FaultyRule{"OneItem", 1, "PE3=F11", 801, "No enought rule element in"},
        FaultyRule{"DuplicateWithOtherBlanksAndCase", 1, "pa2 = b11+f21", 804, "Duplicate rule",
                   "pa2=b11+f21"},
        FaultyRule{"FortyTwoItems", 1, "PAF=" + itemList(42, "X"), 800,
                   "Too many rule elements in"},
        FaultyRule{"BadItemAmongTheFirst", 1, "PAF=F1G+" + itemList(41), 800,
                   "Rule item code number error,"}),
    [](const ::testing::TestParamInfo<FaultyRule>& info) { return std::string(info.param.name); });

TEST_F(RulesTest, FortyOneItemsFitTheRecord) {
    const PassRun run = parse(1, {"PAF=" + itemList(41)});
    ASSERT_EQ(run.rc, 0) << run.output;
    EXPECT_EQ(laidOut(mabrel).header.ruleSize, 252);
    EXPECT_EQ(laidOut(mabrel).header.maxRuleItems, 41);
}

TEST_F(RulesTest, TwentyOneLinesAreTooMany) {
    std::vector<std::string> lines(19, "no equals sign");
    lines.push_back("PA2=F11+F21");
    lines.push_back("PA3=F11+F21");
    const PassRun run = parse(1, lines);
    EXPECT_EQ(run.rc, 802);
    EXPECT_EQ(run.output, message(802, "Too many rules in \"[Rules]\" section"));
    EXPECT_EQ(laidOut(mabrel).header.ruleCount, 0);
}

TEST_F(RulesTest, TwentyRulesAreAccepted) {
    std::vector<std::string> lines;
    for (int count = 2; count < 12; ++count) {
        lines.push_back("PA" + std::string(1, "0123456789AB"[count]) + "=F11+F21");
        lines.push_back("PE" + std::string(1, "0123456789AB"[count]) + "=F11+F21");
    }
    const PassRun run = parse(1, lines);
    ASSERT_EQ(run.rc, 0) << run.output;
    EXPECT_EQ(laidOut(mabrel).header.ruleCount, 20);
}

TEST_F(RulesTest, LinesWithoutRulesAreSkipped) {
    const PassRun run = parse(1, {"no equals sign", "= F11+F21", "PA2=", "PA2=F11+F21"});
    ASSERT_EQ(run.rc, 0);
    EXPECT_EQ(run.output,
              numbered(2, "[Rules]", 506, "Line \"no equals sign\" is not a rule, ignored") +
                  numbered(3, "[Rules]", 506, "Line \"= F11+F21\" is not a rule, ignored") +
                  message(504, "Key \"PA2\" no value"));
    EXPECT_EQ(laidOut(mabrel).header.ruleCount, 1);
}

TEST_F(RulesTest, NoValidRule) {
    const PassRun run = parse(1, {"no equals sign", "  still none // really\t"});
    EXPECT_EQ(run.rc, 803);
    EXPECT_EQ(run.output,
              numbered(2, "[Rules]", 506, "Line \"no equals sign\" is not a rule, ignored") +
                  message(506, "Line \"still none // really\" is not a rule, ignored") +
                  message(803, "No valid key in \"[Rules]\" section."));
}

TEST_F(RulesTest, SectionWithoutKeys) {
    const PassRun run = parse(1, {"", "// nothing"});
    EXPECT_EQ(run.rc, 501);
    EXPECT_EQ(run.output, numbered(3, "[Rules]", 501, "No keywords in \"[Rules]\" section"));
}

TEST(RulesResource, DecodesWhatItEncodesAndRefusesBodiesThatDisagree) {
    const std::vector<RuleRecord> rules = {{'A', 4, {{'F', 1, 0}, {'F', 2, 0}, {'B', 1, 0}}},
                                           {'E', 2, {{'F', 1, 0}, {'F', 2, 0}}}};
    std::vector<uint8_t> body;
    encodeRules(RuleTable{rules, 24, 0, 0}, body);
    ASSERT_EQ(body.size(), 48u);
    std::vector<RuleRecord> back;
    ASSERT_TRUE(decodeRules(body.data(), body.size(), 2, 24, back));
    EXPECT_EQ(back, rules);
    EXPECT_FALSE(decodeRules(body.data(), body.size() - 1, 2, 24, back));  // one byte short
    body.push_back(0);
    EXPECT_FALSE(decodeRules(body.data(), body.size(), 2, 24, back));  // one byte long
    body.pop_back();
    body[29] = 4;  // the second record's item count no longer fits its 24 bytes
    EXPECT_FALSE(decodeRules(body.data(), body.size(), 2, 24, back));
}

TEST_F(RulesTest, MissingSectionLeavesTheFieldsZero) {
    openText("[Help]\nPA2=F11+F21\n");
    const PassRun run = runCaptured([&] { return parseRules(mabrel); });
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(laidOut(mabrel).header.ruleCount, 0);
    EXPECT_EQ(laidOut(mabrel).header.minRuleItems, 0);
}

}  // namespace
