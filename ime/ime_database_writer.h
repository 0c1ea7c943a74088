// Writes everything a compile gathered as one input-method database.
#pragma once

#include "ime/mabrel_context.h"

// Returns 0, or 103 when the destination cannot be written, 102 when the
// writing fails; nothing is left behind on failure.
int writeImeDatabase(const CMabrel& mabrel, const char* path);
