// The list of the phrases a fitting compile left out, one line each:
// "%d\t%s\t%s\n" (source line, phrase, reason), in source order.
#pragma once

#include <string>

#include "phrase/source/phrase_fitting.h"

// The list's text, in the source's own encoding: the CharSet's bytes, or
// UTF-8 for a source written in UTF-8.
std::string leftOutPhrasesText(const PhraseFitting& fitting, const CTosker& tosker);

// The same a line at a time: the line of `item` appended in the CharSet's
// bytes, then the whole text put into the source's encoding.
void appendLeftOutPhrase(std::string& text, const LeftOutPhrase& item);
std::string inSourceEncoding(std::string text, const CTosker& tosker);

// The closing lines of a compile: how many phrases were left out and where
// they are listed (when any were), then the phrases of the database.
void reportCompileTotals(const PhraseFitting& fitting, const std::string& listName,
                         int phraseCount);
