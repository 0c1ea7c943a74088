// Phrase codes made from rules of both kinds, worked out by hand.
#include "ime/export/phrase_coder.h"

#include <gtest/gtest.h>

#include "foundation/char_sets.h"

namespace {

// GB characters: 啊 B0A1, 阿 B0A2, 埃 B0A3, 挨 B0A4 (挨 has no code).
const char* const kCharacters[] = {"\xB0\xA1", "\xB0\xA2", "\xB0\xA3", "\xB0\xA4"};

InputMethod inputMethod(int style, std::vector<std::pair<const char*, int>> pairs,
                        std::vector<CodingRule> rules) {
    InputMethod im;
    im.charSet = kChineseGB;
    im.codingStyle = style;
    im.rules = std::move(rules);
    for (const auto& [code, character] : pairs) {
        const auto number = static_cast<uint32_t>(im.codes.add(code));
        im.entries.push_back({number, 0, DoubleByteCharacter::of(kCharacters[character])});
    }
    return im;
}

CodingRule rule(char kind, int count, std::vector<CodingRuleItem> items) {
    return {kind, count, std::move(items)};
}

std::string codeOf(const InputMethod& im, std::vector<int> characters) {
    std::vector<uint16_t> text;
    for (int c : characters) {
        text.push_back(static_cast<uint16_t>(charToIndex(kChineseGB, kCharacters[c])));
    }
    std::string code;
    const char* why = nullptr;
    return PhraseCoder(im).codeOf(text, code, why) ? code : std::string("-");
}

TEST(PhraseCoder, KeysOfPrimaryEntriesInStyleOne) {
    // 啊 has "ab" and the longer, primary "cdef"; 阿 "ghij", 埃 "klmn".
    const InputMethod im =
        inputMethod(1, {{"ab", 0}, {"cdef", 0}, {"ghij", 1}, {"klmn", 2}},
                    {rule('E', 2, {{'F', 1, 1}, {'F', 1, 2}, {'F', 2, 1}, {'F', 2, 2}}),
                     rule('A', 3, {{'F', 1, 1}, {'F', 2, 1}, {'F', 3, 1}, {'B', 1, 1}}),
                     rule('E', 4, {{'F', 1, 1}, {'F', 2, 1}, {'B', 2, 1}, {'B', 1, 2}})});
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{0, 1}, "cdgh"},           // PE2
        {{1, 0, 2}, "gckk"},        // PA3, its last item the third character again
        {{1, 2, 0, 1}, "gkch"},     // PE4 before PA3
        {{1, 2, 0, 1, 2}, "gkck"},  // PA3 for five
        {{0, 3}, "-"},              // 挨 has no code
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(codeOf(im, text), expected);
}

TEST(PhraseCoder, WholeCodesOfFirstEntriesInStyleTwo) {
    const InputMethod im = inputMethod(2, {{"zz", 0}, {"a", 0}, {"b", 1}, {"xyz", 2}},
                                       {rule('E', 3, {{'F', 1, 0}, {'F', 2, 0}, {'B', 1, 0}})});
    EXPECT_EQ(codeOf(im, {0, 1, 2}), "zzbxyz");
    EXPECT_EQ(codeOf(im, {1, 0, 0}), "bzzzz");
    EXPECT_EQ(codeOf(im, {0, 1}), "-");  // no rule for two
    EXPECT_EQ(codeOf(im, {0, 1, 2, 0}), "-");
}

}  // namespace
