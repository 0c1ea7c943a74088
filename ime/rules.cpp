#include "ime/rules.h"

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/text_helpers.h"
#include "foundation/unknown_keys.h"
#include "ime/messages.h"

namespace {

constexpr uint16_t kMinItemsStart = 100;

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
int parseRule(CMabrel& mabrel, const char* name, const char* value, RuleRecord& record) {
    const std::string command = upperCopy(name);
    const int hanZiCount = command.size() == 3 ? hexDigitValue(command[2]) : -1;
    if (command.size() != 3 || command[0] != 'P' || (command[1] != 'A' && command[1] != 'E') ||
        hanZiCount < 2) {
        return report(kRuleCommandError, name, value);
    }

    ImeHeader& header = mabrel.header;
    record = RuleRecord{};
    for (const std::string& item : splitItems(upperCopy(value), '+')) {
        if (static_cast<int>(record.items.size()) == kMaxRuleItems) {
            return report(kRuleTooManyItems, name, value);
        }
        if (const Message* fault = itemFault(item, hanZiCount, header.codingStyle)) {
            return report(*fault, name, value);
        }
        record.items.push_back({static_cast<uint16_t>(item[0]),
                                static_cast<uint16_t>(hexDigitValue(item[1])),
                                static_cast<uint16_t>(hexDigitValue(item[2]))});
    }

    const auto count = static_cast<uint16_t>(record.items.size());
    if (count < header.minRuleItems) header.minRuleItems = count;
    if (count > header.maxRuleItems) header.maxRuleItems = count;
    if (count < 2) return report(kRuleTooFewItems, name, value);

    record.kind = static_cast<uint16_t>(command[1]);
    record.hanZiCount = static_cast<uint16_t>(hanZiCount);
    return 0;
}

int parseRules(CMabrel& mabrel) {
    const char* section = keyName(kKeyRules);
    if (!seekSection(mabrel.source, kKeyRules)) return 0;
    CKeyTable& table = mabrel.keyTable;
    if (table.loadSection(mabrel.source.stream) == 0) return report(kNoKeywords, section);
    if (table.count() > kMaxRules) return report(kTooManyRules, section);

    ImeHeader& header = mabrel.header;
    header.minRuleItems = kMinItemsStart;
    header.maxRuleItems = 0;
    for (int line = 0; line < table.count(); ++line) {
        const std::optional<std::string> written = keyLineName(table.line(line));
        if (!written || written->empty()) {
            warnAtKeyLine(table, line, kNotARule, quotedLine(table.line(line)).c_str());
            continue;
        }
        char name[kKeyNameBufferSize];
        const char* value = table.entryAt(line, name, true);
        if (value == nullptr) continue;

        RuleRecord record;
        if (int rc = parseRule(mabrel, name, value, record)) return rc;
        for (const RuleRecord& stored : mabrel.rules) {
            if (stored == record) return report(kDuplicateRule, name, value);
        }
        header.ruleSize = std::max(header.ruleSize, static_cast<uint16_t>(record.size()));
        mabrel.rules.push_back(std::move(record));
        header.ruleCount = static_cast<uint16_t>(mabrel.rules.size());
    }
    // Every rule is 6 + 6 n bytes, so ruleSize is already even.
    if (header.ruleCount == 0) return report(kNoValidRule, section);
    return 0;
}
