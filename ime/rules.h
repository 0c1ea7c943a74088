// The optional "[Rules]" section: phrase coding rules ("RT14").
#pragma once

#include <array>
#include <cstdint>

#include "ime/mabrel_context.h"

// A compiled rule, every field a big-endian 16-bit number:
//   0  kind: 0x0041 ("A") or 0x0045 ("E")
//   2  HanZi count, 2 to 15
//   4  item count n, 2 to 41
//   6 + 6 i   item i: direction, 0x0046 ("F") or 0x0042 ("B")
//   8 + 6 i   item i: HanZi number, 1 to 15
//   10 + 6 i  item i: code number, 0 (whole code) to 15
// A rule is 6 + 6 n bytes; the area, and every stored rule block, is 256.
inline constexpr int kRuleAreaSize = 256;
inline constexpr int kMaxRuleItems = (kRuleAreaSize - 6) / 6;
using RuleRecord = std::array<uint8_t, kRuleAreaSize>;

int parseRules(CMabrel& mabrel);

// Compiles the rule `name`=`value` (as written in the source) into `record`
// and its byte length; updates minRuleItems and maxRuleItems. Returns 0, or
// 800 or 801 after reporting the fault.
int parseRule(CMabrel& mabrel, const char* name, const char* value, RuleRecord& record,
              int& length);
