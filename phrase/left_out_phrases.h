// The list of the phrases a fitting compile left out, one line each:
// "%d\t%s\t%s\n" (source line, phrase, reason), in source order.
#pragma once

#include <string>
#include <string_view>

#include "phrase/source/phrase_fitting.h"

// The list's text, in the source's own encoding: the CharSet's bytes, or
// UTF-8 for a source written in UTF-8.
std::string leftOutPhrasesText(const PhraseFitting& fitting, const CTosker& tosker);

// The reason a line gives: "full block", or "full first character".
std::string_view leftOutReason(bool forBlock);

// The closing lines of a compile: how many phrases were left out and where
// they are listed (when any were), then the phrases of the database.
void reportCompileTotals(const PhraseFitting& fitting, const std::string& listName,
                         int phraseCount);
