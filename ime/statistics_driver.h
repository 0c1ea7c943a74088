// "/s": the statistics of an input-method database or source, printed, and
// how it types a frequency source when one is named.
#pragma once

#include "ime/mabrel_context.h"

// `frequencies` is null when none is named. Returns 0, or the code of the
// message that stopped the reading.
int showStatistics(CMabrel& mabrel, const char* fileName, const char* frequencies = nullptr);
