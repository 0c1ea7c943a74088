#include <cctype>

#include "foundation/desktop_tables/table_formats.h"
#include "foundation/text_helpers.h"

namespace {

constexpr int kMostHanZi = 15;

}  // namespace

bool parseRuleItem(std::string_view item, TableRuleItem& parsed) {
    item = trimBlanks(item);
    if (item.size() < 3) return false;
    const char direction = static_cast<char>(std::tolower(static_cast<unsigned char>(item[0])));
    if (direction != 'p' && direction != 'n') return false;
    parsed.fromFront = direction == 'p';
    item.remove_prefix(1);
    if (item[0] == '-') {
        parsed.fromFront = !parsed.fromFront;
        item.remove_prefix(1);
    }
    if (item.size() != 2) return false;
    parsed.hanZi = hexDigitValue(item[0]);
    parsed.code = hexDigitValue(item[1]);
    return parsed.hanZi >= 1 && parsed.code >= 1;
}

void addRule(DesktopTable& table, std::string_view kindAndCount, std::string_view items,
             std::string_view written) {
    TableRule rule;
    rule.text = std::string(trimBlanks(written));
    std::string_view command = trimBlanks(kindAndCount);
    if (!command.empty() && (command[0] == 'c' || command[0] == 'C')) command.remove_prefix(1);
    const char kind = command.empty() ? 0 : asciiUpper(command[0]);
    const int count = command.size() == 2 ? hexDigitValue(command[1]) : -1;
    bool sayable = (kind == 'E' || kind == 'A') && count >= 2 && count <= kMostHanZi;
    rule.kind = kind;
    rule.hanZiCount = count;
    while (sayable && !items.empty()) {
        TableRuleItem item;
        sayable = parseRuleItem(takeField(items, '+'), item) && item.hanZi <= count;
        rule.items.push_back(item);
    }
    if (sayable && rule.items.size() >= 2) {
        table.rules.push_back(std::move(rule));
    } else {
        table.unsaidRules.push_back(rule.text);
    }
}
