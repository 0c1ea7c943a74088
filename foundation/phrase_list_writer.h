// The phrase list text of a PhraseDatabase, in two forms. As Tosker writes
// a database back: the [Description] keys, then under [Phrase] each first
// character with phrases as a comment line, its phrases one a line
// (",USER" after a user phrase) and an empty line. As an import writes the
// words of a table or word list: the keys, then the phrases one a line in
// the order given, for a text in UTF-8.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "foundation/phrase_database.h"

// The text a phrase list is written in: the CharSet's own bytes, or UTF-8
// (then it says "Encoding=UTF-8"; the text itself is still in the CharSet's
// bytes and converted afterwards).
enum class PhraseText { kCharSet, kUtf8 };

// The text of `db`; `phrases` is the number of phrase lines it holds.
std::string phraseListText(const PhraseDatabase& db, PhraseText encoding, uint32_t& phrases);

// The imported list of `db`: the phrases numbered `order`, in that order,
// under keys that say "Encoding=UTF-8" (the text is in the CharSet's bytes,
// converted afterwards).
std::string importedListText(const PhraseDatabase& db, std::span<const uint32_t> order);
