// The phrase lines of a phrase list as bytes, for the commands that write
// the list again with its lines kept as they are (/o, /m): where each line
// of [Phrase] that begins with a character of the list's CharSet stands.
#pragma once

#include <string_view>
#include <vector>

#include "foundation/char_sets.h"

struct PhraseLine {
    std::size_t start;        // of the line
    std::size_t length;       // without its line feed
    std::string_view phrase;  // after the blanks, up to a blank, a tab or CR
    std::size_t firstBytes;   // the bytes of its first character
    std::string_view first() const { return phrase.substr(0, firstBytes); }
};

// The phrase lines of `bytes`, a list in `charSet` or (`utf8`) in UTF-8.
std::vector<PhraseLine> phraseLinesOf(std::string_view bytes, CharSet charSet, bool utf8);
