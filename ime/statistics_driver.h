// "/s": the statistics of an input-method database or source, printed.
#pragma once

#include "ime/mabrel_context.h"

// Returns 0, or the code of the message that stopped the reading.
int showStatistics(CMabrel& mabrel, const char* fileName);
