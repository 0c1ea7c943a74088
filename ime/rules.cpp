#include "ime/rules.h"

int parseRules(CMabrel&) { return 0; }
