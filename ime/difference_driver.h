// "/d": what differs by meaning between two input methods, each a source or
// a database.
#pragma once

#include "ime/mabrel_context.h"

// Returns 0 when nothing differs, 1 when something does, or the status of
// the reading that failed.
int showDifference(CMabrel& mabrel, const char* firstName, const char* secondName);
