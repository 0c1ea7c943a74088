// An input-method database turned back into the source that compiles to it,
// with its keyboard pictures as BMP files beside the source.
#pragma once

#include "ime/ime_source_writer.h"
#include "ime/mabrel_context.h"

// Returns 0, or 100, 101, 103, 102, 200, 400, 401, 402 or 403 after its
// message; what the source cannot say exactly draws warning 404.
int decompileDatabase(CMabrel& mabrel, const char* sourceName, const char* destinationName);

// The names of the pictures written beside `destination`: its last four
// characters replaced by ".bmp" and "HDD.bmp" when they are ".txt" in any
// case, else those appended.
PictureNames pictureNamesFor(const char* destination);
