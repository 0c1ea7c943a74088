// What differs by meaning between two phrase databases, whichever files they
// were read from: per first character, the phrases added, removed and moved
// among its phrases, and the user marks gained or lost.
#pragma once

#include <string>

#include "foundation/phrase_database.h"

struct PhraseDifference {
    std::string lines;  // one line for each difference, in UTF-8, each ended by LF
    int added = 0;
    int removed = 0;
    int moved = 0;  // phrases of both lists outside their common subsequence
    int marks = 0;  // phrases of both whose user mark differs
};

PhraseDifference phraseDifference(const PhraseDatabase& first, const PhraseDatabase& second);
