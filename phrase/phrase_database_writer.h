// Writes the PhraseDatabase of a run into a phrase database file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "phrase/tosker_context.h"

// The bytes of the whole database, dated by the run's date (with the note
// that SOURCE_DATE_EPOCH is unusable, where it is); 0, or 906 after its
// message.
int datedPhraseDatabaseImage(const CTosker& tosker, std::vector<uint8_t>& image);

// Writes the whole database, with every block of the CharSet; 0, or 103,
// 906 or 102 after its message.
int writePhraseDatabase(const CTosker& tosker, const char* destinationName);

// The same, with a second file (the list of what was left out) written
// beside it: both or neither; an empty text takes away the plain file
// `otherName` instead (a list an earlier run left). 0, or 906, 105, 103 or
// 102 after its message.
int writePhraseDatabaseWith(const CTosker& tosker, const char* destinationName,
                            const std::string& otherName, const std::string& otherText);
