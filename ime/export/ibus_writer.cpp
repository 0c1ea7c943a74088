// The source of ibus-table-createdb:
//   ### comments: the coding, what was left out
//   BEGIN_DEFINITION ... END_DEFINITION: NAME, LANGUAGES (by the CharSet),
//   VALID_INPUT_CHARS (UsedCodes), MAX_KEY_LENGTH, RULES ("ce2:p11+p12+
//   p21+p22;ca4:p11+p21+p31+p-11": p, the character, minus from the back,
//   then the key)
//   BEGIN_TABLE ... END_TABLE: "code TAB text TAB frequency", the
//   frequencies falling in the order of the candidates of each code
#include <algorithm>

#include "foundation/char_sets.h"
#include "ime/export/engine_writers.h"

namespace {

const char* languagesOf(CharSet charSet) {
    switch (charSet) {
        case kChineseBIG5:
            return "zh_TW";
        case kJapaneseJIS:
        case kJapaneseSJIS:
            return "ja_JP";
        case kKoreanKSC:
            return "ko_KR";
        default:
            return "zh_CN";
    }
}

std::string rulesText(const InputMethod& im) {
    std::string text;
    for (const CodingRule& rule : im.rules) {
        if (!text.empty()) text += ';';
        text += rule.kind == 'E' ? "ce" : "ca";
        text += std::to_string(rule.hanZiCount) + ":";
        for (std::size_t k = 0; k < rule.items.size(); ++k) {
            const CodingRuleItem& item = rule.items[k];
            if (k > 0) text += '+';
            text += item.direction == 'B' ? "p-" : "p";
            text += std::to_string(item.hanZi) + std::to_string(item.code);
        }
    }
    return text;
}

}  // namespace

std::string ibusTableText(const InputMethod& im, ExportTable& table) {
    const std::size_t length = longestKeys(im, table);
    std::string text = headerComments(im, table, "###");
    text += "SCIM_Generic_Table_Phrase_Library_TEXT\nVERSION_1_0\n\nBEGIN_DEFINITION\n";
    text += "NAME = " + table.name + "\n";
    text += "DESCRIPTION = " + table.fullName + "\n";
    text += "LANGUAGES = " + std::string(languagesOf(im.charSet)) + "\n";
    text += "VALID_INPUT_CHARS = " + im.usedCodes + "\n";
    text += "MAX_KEY_LENGTH = " + std::to_string(length) + "\n";
    text += "DYNAMIC_ADJUST = FALSE\n";
    if (im.codingStyle == 1 && !im.rules.empty()) text += "RULES = " + rulesText(im) + "\n";
    text += "END_DEFINITION\n\nBEGIN_TABLE\n";
    for (std::size_t k = 0; k < table.entries.size(); ++k) {
        const ExportedEntry& entry = table.entries[k];
        text.append(entry.code).append("\t").append(entry.text).append("\t");
        text.append(std::to_string(weightOf(table, k))).append("\n");
    }
    text += "END_TABLE\n";
    return text;
}
