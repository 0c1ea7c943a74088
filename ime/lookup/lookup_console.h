// Mabrel /t: reads an input-method database, and a phrase database when one
// is named, then answers the lines of standard input until its end.
#pragma once

// `phraseName` is null when no phrase database is named. Returns 0, 1 when a
// check line failed, or the number of the message that stopped the run.
int runLookupConsole(const char* databaseName, const char* phraseName);
