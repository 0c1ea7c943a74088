// The phrase list text of a PhraseDatabase, as Tosker writes a database
// back: the [Description] keys, then under [Phrase] each first character
// with phrases as a comment line, its phrases one a line (",USER" after a
// user phrase) and an empty line.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/phrase_database.h"

// The text a phrase list is written in: the CharSet's own bytes, or UTF-8
// (then it says "Encoding=UTF-8"; the text itself is still in the CharSet's
// bytes and converted afterwards).
enum class PhraseText { kCharSet, kUtf8 };

// The text of `db`; `phrases` is the number of phrase lines it holds.
std::string phraseListText(const PhraseDatabase& db, PhraseText encoding, uint32_t& phrases);
