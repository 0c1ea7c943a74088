// The conversion of a phrase database back into a phrase list text.
#pragma once

#include "foundation/phrase_list_writer.h"
#include "phrase/tosker_context.h"

// Returns 0 or 100, 101, 102, 103, 105, 200, 400, 401, 402, 403, 907 after
// its message. The text is written only when the whole database was read.
int convertDatabaseToText(CTosker& tosker, const char* sourceName, const char* destinationName,
                          PhraseText encoding = PhraseText::kCharSet);
