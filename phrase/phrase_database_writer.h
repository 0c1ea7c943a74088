// Writes the PhraseDatabase of a run into a phrase database file.
#pragma once

#include "phrase/tosker_context.h"

// Writes the whole database, with every block of the CharSet; 0, or 103,
// 906 or 102 after its message.
int writePhraseDatabase(const CTosker& tosker, const char* destinationName);
