// Reading a phrase database file into a PhraseDatabase, with the messages of
// a reader of phrase databases (PHRASE_DATABASE_MESSAGES).
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/database_container.h"
#include "foundation/phrase_database.h"

// Reads the phrase database `image`, the whole file `name`, into `db`.
// Returns 0, or after reporting it 101, 400, 401, 402 or 403.
int readPhraseDatabase(const std::vector<uint8_t>& image, const char* name, PhraseDatabase& db);

// The same for the file `name`, judged before it is read whole
// (readPhraseDatabaseImage): 0, or 100, 101, 400, 401, 402 or 403.
int readPhraseDatabaseFile(const char* name, PhraseDatabase& db);

// Reads the file `name` into `image`, judged as a phrase database from its
// header and directory before it is read whole. Returns 0, or 100, 101, 400,
// 402 or 403 (larger than any phrase database) after reporting it.
int readPhraseDatabaseImage(const char* name, std::vector<uint8_t>& image);

// The same in two steps, for a caller that has more to do in between: the
// container (0, or 101, 400 or 402), then its phrases (0, or 400, 401 or
// 403).
int readPhraseContainer(const std::vector<uint8_t>& image, const char* name, DatabaseFile& file);
int readPhrases(const DatabaseFile& file, const char* name, PhraseDatabase& db);
