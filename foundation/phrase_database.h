// PhraseDatabase: what a phrase database says, apart from its blocks. Phrase
// lists and databases are read into it; both are written from it. Both tools
// read phrase databases (Mabrel's lookup console too), so it lives here.
#pragma once

#include <cstdint>
#include <vector>

// One phrase under its first character: the character indices of the
// characters after the first, and whether the handheld's user added it.
struct StoredPhrase {
    std::vector<uint16_t> rest;
    bool user = false;
    bool operator==(const StoredPhrase&) const = default;
};

struct PhraseDatabase {
    uint16_t charSet = 0;  // a CharSet identifier (char_sets.h)
    int maxPhraseLength = 0;
    uint32_t phraseCount = 0;  // as the head states it
    // By first character index: phrases[i] are the phrases that begin with
    // the character of index i, in database order.
    std::vector<std::vector<StoredPhrase>> phrases;
    bool operator==(const PhraseDatabase&) const = default;
};
