// Every code of an input method with its characters, each pair once, in
// code order; the characters of a code in the order the database offers
// them: the order the table gives them, which the buckets keep for equal
// codes in both coding styles.
#pragma once

#include <string>
#include <vector>

#include "ime/input_method.h"

struct CodeCharacters {
    std::string code;
    std::vector<unsigned> characters;  // character indexes, the first candidate first
};

std::vector<CodeCharacters> codesOf(const InputMethod& im);
