// The optional "[Rules]" section: phrase coding rules ("RT14").
#pragma once

#include "ime/mabrel_context.h"

int parseRules(CMabrel& mabrel);
