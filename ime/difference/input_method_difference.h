// What differs by meaning between two input methods, whichever files they
// were read from: the [Description] values, the key map rows, the rules, the
// help lines, the keyboard pictures and, per code, the characters added,
// removed and moved in its candidate order.
#pragma once

#include <string>

#include "ime/input_method.h"

struct InputMethodDifference {
    std::string lines;  // one line for each difference, in UTF-8, each ended by LF
    int codes = 0;      // codes whose characters or order differ
    int added = 0;
    int removed = 0;
    int moved = 0;  // characters of both orders outside their common subsequence
};

InputMethodDifference inputMethodDifference(const InputMethod& first, const InputMethod& second);
