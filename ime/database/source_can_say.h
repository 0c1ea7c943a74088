// Whether the source written for an input method read from a database
// compiles back, judged field by field from the form each takes in that
// source: a key's value read as a token or to the end of its line, a value
// list read item by item, a rule line, help lines that must not open a
// section, and [Text] lines whose codes read back whole from the keys of
// UsedCodes. What a source says differently but still compiles (a text
// cut at "//", a number that the source writes in one hexadecimal digit)
// passes: the decompiler tells of it as a resource not written back exactly.
#pragma once

#include "ime/input_method.h"

bool sourceCanSay(const InputMethod& im);
