// How much of a weighted word list a phrase database holds: the weight of
// its words of two or more characters that are phrases of the database,
// over all their weight, and the heaviest of those it lacks.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "foundation/character_weights.h"
#include "foundation/phrase_database.h"

inline constexpr std::size_t kMissingShown = 20;

struct PhraseWeights {
    long long total = 0;
    long long kept = 0;
    std::vector<std::pair<std::string, long long>> heaviestMissing;  // UTF-8 words
};

PhraseWeights phraseWeights(const PhraseDatabase& db, const FrequencySource& source);

// The report's section for the figures.
std::string phraseWeightsReport(const FrequencySource& source, const PhraseWeights& figures);
