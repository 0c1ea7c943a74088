// The conversion of a phrase database back into a phrase list text.
#pragma once

#include <cstdio>

#include "phrase/tosker_context.h"

// Writes "key=value" (at most 255 characters) and a line feed.
void writeKeyLine(std::FILE* out, const char* key, const char* value);

// Returns 0 or 100, 101, 103, 200, 400, 401, 402, 403 after its message.
int convertDatabaseToText(CTosker& tosker, const char* sourceName, const char* destinationName);
