// The optional "[Rules]" section: phrase coding rules ("RT14").
#pragma once

#include "ime/mabrel_context.h"

// A rule holds at most this many items.
inline constexpr int kMaxRuleItems = 41;

int parseRules(CMabrel& mabrel);

// Compiles the rule `name`=`value` (as written in the source) into `record`;
// updates minRuleItems and maxRuleItems. Returns 0, or 800 or 801 after
// reporting the fault.
int parseRule(CMabrel& mabrel, const char* name, const char* value, RuleRecord& record);
