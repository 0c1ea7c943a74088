#include "ime/source/rules.h"

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/text_helpers.h"
#include "foundation/unknown_keys.h"
#include "ime/input_method_limits.h"
#include "ime/messages.h"

namespace {

// The message for an item that breaks the grammar, or nullptr.
const Message* itemFault(const std::string& item, int hanZiCount, int codingStyle) {
    if (item.size() != 3 || (item[0] != 'F' && item[0] != 'B')) return &kRuleDirectionError;
    const int hanZiNumber = hexDigitValue(item[1]);
    if (hanZiNumber < 1 || hanZiNumber > hanZiCount) return &kRuleHanZiNumberError;
    const int codeNumber = hexDigitValue(item[2]);
    if (codeNumber < 0) return &kRuleCodeNumberError;
    if (codingStyle == 1 && codeNumber == 0) return &kRuleNoWholeCode;
    if (codingStyle == 2 && codeNumber != 0) return &kRuleOnlyWholeCode;
    return nullptr;
}

}  // namespace

// The name and the value are read in capitals.
int parseRule(int codingStyle, const char* name, const char* value, CodingRule& rule) {
    const std::string command = upperCopy(name);
    const int hanZiCount = command.size() == 3 ? hexDigitValue(command[2]) : -1;
    if (command.size() != 3 || command[0] != 'P' || (command[1] != 'A' && command[1] != 'E') ||
        hanZiCount < 2) {
        return report(kRuleCommandError, name, value);
    }

    rule = CodingRule{};
    for (const std::string& item : splitItems(upperCopy(value), '+')) {
        if (static_cast<int>(rule.items.size()) == kMaxRuleItems) {
            return report(kRuleTooManyItems, name, value);
        }
        if (const Message* fault = itemFault(item, hanZiCount, codingStyle)) {
            return report(*fault, name, value);
        }
        rule.items.push_back({item[0], hexDigitValue(item[1]), hexDigitValue(item[2])});
    }
    if (rule.items.size() < 2) return report(kRuleTooFewItems, name, value);

    rule.kind = command[1];
    rule.hanZiCount = hanZiCount;
    return 0;
}

int parseRules(CMabrel& mabrel) {
    const char* section = keyName(kKeyRules);
    if (!seekSection(mabrel.source, kKeyRules)) return 0;
    CKeyTable& table = mabrel.keyTable;
    if (table.loadSection(mabrel.source.stream) == 0) return report(kNoKeywords, section);
    if (table.count() > kMaxRules) return report(kTooManyRules, section);

    std::vector<CodingRule>& rules = mabrel.im.rules;
    for (int line = 0; line < table.count(); ++line) {
        const std::optional<std::string> written = keyLineName(table.line(line));
        if (!written || written->empty()) {
            warnAtKeyLine(table, line, kNotARule, quotedLine(table.line(line)).c_str());
            continue;
        }
        char name[kKeyNameBufferSize];
        const char* value = table.entryAt(line, name, true);
        if (value == nullptr) continue;

        CodingRule rule;
        if (int rc = parseRule(mabrel.im.codingStyle, name, value, rule)) return rc;
        if (std::find(rules.begin(), rules.end(), rule) != rules.end()) {
            return report(kDuplicateRule, name, value);
        }
        rules.push_back(std::move(rule));
    }
    if (rules.empty()) return report(kNoValidRule, section);
    return 0;
}
