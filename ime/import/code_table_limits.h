// Whether an input method's code table fits the database without /f.
#pragma once

#include <string>

#include "ime/input_method.h"

// The first limit of the database the code table passes ("32,767 code
// entries", "65,534 coded characters", "the repeat blocks"), or empty.
std::string codeTableLimitPassed(const InputMethod& method);
