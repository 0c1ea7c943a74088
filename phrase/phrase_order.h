// Tosker /o: a phrase list written again with the phrases of every first
// character in descending weight of a weighted word list, so that /f keeps
// the heaviest and the handheld offers them first. Phrases of equal weight,
// and those the list does not weigh, keep their order after the weighted
// ones. A phrase line moves whole, to a place that a line of the same first
// character held; every other line stays as it was.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "foundation/char_sets.h"
#include "phrase/tosker_context.h"

using WordWeights = std::unordered_map<std::string_view, long long>;

// Reorders the phrase lines of `bytes`, a list in `charSet` or (`utf8`) in
// UTF-8; returns how many first characters changed the order of their lines.
int orderPhrasesByWeight(CharSet charSet, bool utf8, const WordWeights& weights,
                         std::string& bytes);

// Reads `list` and `frequencies` and writes `destination`. Returns 0, or
// the number of the message that stopped it.
int orderPhrases(CTosker& tosker, const char* list, const char* frequencies,
                 const char* destination);
