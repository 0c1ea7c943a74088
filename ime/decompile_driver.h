// An input-method database turned back into the source that compiles to it,
// with its keyboard pictures as BMP files beside the source.
#pragma once

#include "ime/source/ime_source_writer.h"

// Returns 0, or 100, 101, 103, 102, 105, 200, 400, 401, 402, 403 or 907 after
// its message; what the source cannot say exactly draws warning 404. In UTF-8
// the source also says "Encoding=UTF-8", and a character of the database
// that has no UTF-8 form stops the run (907).
int decompileDatabase(const char* sourceName, const char* destinationName, TextEncoding encoding);

// The names of the pictures written beside `destination`: its last four
// characters replaced by ".bmp" and "HDD.bmp" when they are ".txt" in any
// case, else those appended.
PictureNames pictureNamesFor(const char* destination);
