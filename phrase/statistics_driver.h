// "/s": the statistics of a phrase database or phrase list, printed.
#pragma once

#include "phrase/tosker_context.h"

// Returns 0, or the code of the message that stopped the reading.
int showStatistics(CTosker& tosker, const char* fileName);
