// The "RT14" body: ruleCount rule records of ruleSize bytes each, in source
// order; each record is followed by zero bytes up to ruleSize. A record is
// 6 + 6 n bytes, every field a big-endian 16-bit number:
//   0         kind: 0x0041 ("A") or 0x0045 ("E")
//   2         HanZi count, 2 to 15
//   4         item count n, 2 to 41
//   6 + 6 i   item i: direction, 0x0046 ("F") or 0x0042 ("B")
//   8 + 6 i   item i: HanZi number, 1 to 15
//   10 + 6 i  item i: code number, 0 (whole code) to 15
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ime/database/code_table_capacity.h"

struct RuleItem {
    uint16_t direction;
    uint16_t hanZiNumber;
    uint16_t codeNumber;
    bool operator==(const RuleItem&) const = default;
};

struct RuleRecord {
    uint16_t kind = 0;
    uint16_t hanZiCount = 0;
    std::vector<RuleItem> items;

    int size() const { return ruleRecordSize(static_cast<int>(items.size())); }
    bool operator==(const RuleRecord&) const = default;
};

// The records with the header's counts of them: ruleCount is the number of
// records, ruleSize the size of each, minRuleItems and maxRuleItems the
// fewest and most items of one (all 0 without rules).
struct RuleTable {
    std::vector<RuleRecord> records;
    uint16_t recordSize = 0;
    uint16_t minItems = 0;
    uint16_t maxItems = 0;
    bool operator==(const RuleTable&) const = default;
};

void encodeRules(const RuleTable& rules, std::vector<uint8_t>& body);
// False unless the body holds `ruleCount` records of `ruleSize` bytes, each
// with an item count that fits its record.
bool decodeRules(const uint8_t* body, std::size_t size, int ruleCount, int ruleSize,
                 std::vector<RuleRecord>& rules);
