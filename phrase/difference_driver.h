// "/d": what differs by meaning between two phrase lists or databases.
#pragma once

#include "phrase/tosker_context.h"

// Returns 0 when nothing differs, 1 when something does, or the number of
// the message that stopped a reading.
int showDifference(CTosker& tosker, const char* firstName, const char* secondName);
