// "/s": the statistics of an input-method database or source, printed or
// written as a page, and how it types a frequency source when one is named.
#pragma once

#include "ime/mabrel_context.h"

// `frequencies` is null when none is named; `pageName`, the page to write
// instead of printing the report, likewise. Returns 0, or the code of the
// message that stopped the reading or the writing.
int showStatistics(CMabrel& mabrel, const char* fileName, const char* frequencies = nullptr,
                   const char* pageName = nullptr);
