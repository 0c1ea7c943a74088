// The table text of fcitx 4 and fcitx 5:
//   ; comments: the coding, what was left out
//   KeyCode=the keys, Length=MaxCodes, or the longest code or rule if longer
//   [Rule]: "e2=p11+p12+p21+p22", "a4=p11+p21+p31+n11" (p from the front,
//   n from the back, then the character and the key)
//   [Data]: "code text", candidates of a code in order
#include <algorithm>

#include "ime/export/engine_writers.h"
#include "ime/export/phrase_coder.h"

namespace {

std::string ruleItems(const CodingRule& rule) {
    std::string items;
    for (const CodingRuleItem& item : rule.items) {
        if (!items.empty()) items += '+';
        items += item.direction == 'B' ? 'n' : 'p';
        items += std::to_string(item.hanZi) + std::to_string(item.code);
    }
    return items;
}

bool rulesSayable(const InputMethod& im) {
    return std::all_of(im.rules.begin(), im.rules.end(), [](const CodingRule& rule) {
        return std::all_of(rule.items.begin(), rule.items.end(),
                           [](const CodingRuleItem& item) { return item.hanZi <= 9; });
    });
}

// fcitx 5 takes the rules as they are.
std::string rulesAsGiven(const InputMethod& im) {
    std::string text;
    for (const CodingRule& rule : im.rules) {
        text += rule.kind == 'E' ? 'e' : 'a';
        text += std::to_string(rule.hanZiCount) + "=" + ruleItems(rule) + "\n";
    }
    return text;
}

// fcitx 4 wants one rule for each length from 2 to Length, the last for
// that length and more: the rule that codes each of them. Empty when some
// length has none, or when a longer phrase is coded otherwise.
std::string rulesByLength(const InputMethod& im, int length) {
    const PhraseCoder coder(im);
    std::string text;
    for (int n = 2; n <= length; ++n) {
        const CodingRule* rule = coder.ruleFor(n);
        if (rule == nullptr) return {};
        text += n < length ? 'e' : 'a';
        text += std::to_string(n) + "=" + ruleItems(*rule) + "\n";
    }
    const CodingRule* last = coder.ruleFor(length);
    for (int n = length + 1; n <= 15; ++n) {
        if (coder.ruleFor(n) != last) return {};
    }
    return text;
}

}  // namespace

std::string fcitxTableText(const InputMethod& im, ExportTable& table, ExportFormat format) {
    // fcitx 5 takes no rule of more items than Length; fcitx 4 only rules of
    // exactly Length items.
    std::size_t length = longestKeys(im, table);
    const std::size_t items = im.rules.empty() ? 0 : im.rules.front().items.size();
    const bool evenRules =
        std::all_of(im.rules.begin(), im.rules.end(),
                    [&](const CodingRule& rule) { return rule.items.size() == items; });
    if (format == ExportFormat::kFcitx) {
        if (evenRules && items >= table.longestCode) length = std::max<std::size_t>(items, 1);
    } else {
        for (const CodingRule& rule : im.rules) length = std::max(length, rule.items.size());
    }
    std::string rules;
    if (im.codingStyle == 1 && !im.rules.empty()) {
        if (rulesSayable(im) &&
            (format == ExportFormat::kFcitx5 || (evenRules && items == length))) {
            rules = format == ExportFormat::kFcitx ? rulesByLength(im, static_cast<int>(length))
                                                   : rulesAsGiven(im);
        }
        if (rules.empty()) {
            leaveOutRules(table,
                          "the table says rules of characters 1 to 9 and, for fcitx 4, one "
                          "rule for each length, each of Length keys");
        }
    }
    std::string text = headerComments(im, table, ";");
    text += "KeyCode=" + im.usedCodes + "\nLength=" + std::to_string(length) + "\n";
    if (!rules.empty()) text += "[Rule]\n" + rules;
    text += "[Data]\n";
    for (const ExportedEntry& entry : table.entries) {
        text.append(entry.code).append(" ").append(entry.text).append("\n");
    }
    return text;
}
