#include "ime/database/rules_resource.h"

#include "foundation/big_endian.h"

void encodeRules(const RuleTable& rules, std::vector<uint8_t>& body) {
    BigEndianWriter field(body);
    for (const RuleRecord& rule : rules.records) {
        field.u16(rule.kind);
        field.u16(rule.hanZiCount);
        field.u16(static_cast<uint16_t>(rule.items.size()));
        for (const RuleItem& item : rule.items) {
            field.u16(item.direction);
            field.u16(item.hanZiNumber);
            field.u16(item.codeNumber);
        }
        field.zeros(rules.recordSize - rule.size());
    }
}

bool decodeRules(const uint8_t* body, std::size_t size, int ruleCount, int ruleSize,
                 std::vector<RuleRecord>& rules) {
    if (ruleCount <= 0 || ruleSize < 6 ||
        size != static_cast<std::size_t>(ruleCount) * static_cast<std::size_t>(ruleSize)) {
        return false;
    }
    rules.clear();
    for (int r = 0; r < ruleCount; ++r) {
        BigEndianReader field(body + static_cast<std::size_t>(r) * ruleSize);
        RuleRecord& rule = rules.emplace_back();
        rule.kind = field.u16();
        rule.hanZiCount = field.u16();
        const int count = field.u16();
        if (ruleRecordSize(count) > ruleSize) return false;
        for (int i = 0; i < count; ++i) {
            RuleItem item{};
            item.direction = field.u16();
            item.hanZiNumber = field.u16();
            item.codeNumber = field.u16();
            rule.items.push_back(item);
        }
    }
    return true;
}
