// The compile of an input-method source into its database: the passes in
// their fixed order, stopping at the first one that fails.
#pragma once

#include "ime/mabrel_context.h"

int compileSource(CMabrel& mabrel, const char* sourceName, const char* destinationName);
