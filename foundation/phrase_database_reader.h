// Reading a phrase database into the PhraseDatabase record.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/phrase_database.h"

// Reads the phrase database `image` (the whole file `name`) into `db`.
// Returns 0, or 101, 400, 401, 402 or 403 after reporting it with Tosker's
// texts.
int readPhraseDatabase(const std::vector<uint8_t>& image, const char* name, PhraseDatabase& db);
