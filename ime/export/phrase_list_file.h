// A phrase list read into a PhraseDatabase as Tosker compiles it, with
// Tosker's messages: the caller makes its own current again afterwards.
#pragma once

#include "foundation/phrase_database.h"

// Returns 0 or the number of the message that stopped the reading.
int readPhraseListFile(const char* name, PhraseDatabase& db);
