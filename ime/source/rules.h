// The optional "[Rules]" section: phrase coding rules.
#pragma once

#include "ime/mabrel_context.h"

int parseRules(CMabrel& mabrel);

// Compiles the rule `name`=`value` (as written in the source) of an input
// method of `codingStyle` into `rule`. Returns 0, or the number of the fault
// after reporting it.
int parseRule(int codingStyle, const char* name, const char* value, CodingRule& rule);
