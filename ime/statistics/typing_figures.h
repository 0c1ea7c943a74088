// How well an input method types a text whose characters are used with the
// weights of a frequency source: how much of it has a code, how much is the
// first candidate of a code, and the keys a character costs.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "foundation/character_weights.h"
#include "ime/input_method.h"
#include "ime/statistics/code_characters.h"

inline constexpr std::size_t kHeaviestShown = 20;
inline constexpr int kCandidatesPerPage = 10;

// The keys of a candidate at position `position` (0 for the first) of a code
// of `length` keys: the code, then one key to choose on the first page and
// one more for every further page.
constexpr int candidateKeys(int length, int position) {
    return position == 0 ? length : length + 1 + position / kCandidatesPerPage;
}

using WeightedCharacter = std::pair<unsigned, long long>;  // index, weight

struct CostlyCode {
    std::string code;
    long long cost = 0;  // the weight chosen on it: candidates after the first typed through it
    std::vector<WeightedCharacter> candidates;
};

struct TypingFigures {
    long long totalWeight = 0;
    long long codedWeight = 0;
    long long firstWeight = 0;  // of coded characters first on one of their codes
    long long keyWeight = 0;    // weight times keys, over the coded characters
    std::vector<WeightedCharacter> heaviestUncoded;  // at most kHeaviestShown
    std::vector<CostlyCode> costliestCodes;          // at most kHeaviestShown
};

// `codes` are the input method's, as codesOf gives them.
TypingFigures typingFigures(const std::vector<CodeCharacters>& codes,
                            const CharSetWeights& weights);

// The report's section for the figures.
std::string typingReport(const TypingFigures& figures, CharSet charSet);
