// "/s": the statistics of a phrase database or phrase list, printed or
// written as a page, and how much of a weighted word list it holds when one
// is named.
#pragma once

#include "phrase/tosker_context.h"

// `frequencies` is null when none is named; `pageName`, the page to write
// instead of printing the report, likewise. Returns 0, or the code of the
// message that stopped the reading (510 for a frequency source without
// weights) or the writing.
int showStatistics(CTosker& tosker, const char* fileName, const char* frequencies = nullptr,
                   const char* pageName = nullptr);
