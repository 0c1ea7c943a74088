// INTERIM: a source read by the compile's passes into an InputMethod, until
// the passes fill the record themselves.
#pragma once

#include "ime/input_method.h"
#include "ime/mabrel_context.h"

// Returns 0, or the code of the message that stopped the passes.
int readInputMethodSource(CMabrel& mabrel, const char* sourceName, InputMethod& im);
