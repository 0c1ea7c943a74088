// How full a phrase database is, by first character and by block, and how
// long its phrases are: figures computed from the PhraseDatabase record.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "foundation/phrase_database.h"

inline constexpr int kFullShare = 90;  // first characters above this % are named

// What reading a phrase list counted that a database does not show.
struct PhraseListCounts {
    int repeated = 0;  // "Duplicate phrase"
    int refused = 0;   // phrases a compile leaves out with a warning
};

struct PhraseStatistics {
    long long phrases = 0;
    int firstCharacters = 0;
    int fullestCharacter = 0;  // its index
    int fullestWords = 0;
    std::vector<int> nearlyFull;  // indexes above kFullShare % of the words
    int blocks = 0;
    int blocksWithPhrases = 0;
    int largestBlock = 0;  // its number
    long long largestBlockBytes = 0;
    std::vector<long long> byLength;     // [n]: phrases of n characters
    std::optional<int> hkscsCharacters;  // ChineseBIG5: characters used beyond Big5
};

PhraseStatistics phraseStatistics(const PhraseDatabase& db);

// The report, in UTF-8 lines, of `db` read from `fileName`.
std::string phraseReport(const PhraseDatabase& db, const PhraseStatistics& figures,
                         const std::optional<PhraseListCounts>& counts, const char* fileName);
