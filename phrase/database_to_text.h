// The conversion of a phrase database back into a phrase list text.
#pragma once

#include <string>

#include "phrase/tosker_context.h"

// Appends "key=value" (at most 255 characters) and a line feed.
void writeKeyLine(std::string& text, const char* key, const char* value);

// The text a phrase list is written in: the CharSet's own bytes, or UTF-8
// (then it says "Encoding=UTF-8").
enum class PhraseText { kCharSet, kUtf8 };

// Returns 0 or 100, 101, 102, 103, 105, 200, 400, 401, 402, 403, 907 after
// its message. The text is written only when the whole database was read.
int convertDatabaseToText(CTosker& tosker, const char* sourceName, const char* destinationName,
                          PhraseText encoding = PhraseText::kCharSet);
