// Mabrel /o: a source written again with the characters of every code in
// descending weight of a frequency source, so that the database it compiles
// to offers the heaviest first. Equal weights, and characters without
// weight, keep their order after the weighted ones. Every other byte of the
// source stays as it was; each character keeps its bytes (CharSet or UTF-8)
// and moves to a place that a character of the same code held.
#pragma once

#include <string>
#include <vector>

#include "ime/mabrel_context.h"

// The place of one character of a code line in the source's bytes: its
// code (by number) and its character index.
struct CharacterPlace {
    std::size_t at = 0;
    std::size_t length = 0;
    uint32_t code = 0;
    unsigned index = 0;
};

// The places of the characters of the [Text] lines of `im`, found in
// `bytes`, the source it was read from; `utf8` when the source is UTF-8.
// Every time a line says a pair of `im` counts, a refused repetition too; a
// character that is no pair of `im` (one the CharSet cannot write) has no
// place.
std::vector<CharacterPlace> characterPlaces(const InputMethod& im, const std::string& bytes,
                                            bool utf8);

// Reorders the characters of every code of `bytes` by `weights` (by
// character index); returns how many codes changed their order.
int orderByWeight(const InputMethod& im, const std::vector<long long>& weights, bool utf8,
                  std::string& bytes);

// Reads `source` and `frequencies` and writes `destination`. Returns 0, or
// the number of the message that stopped it.
int orderCandidates(CMabrel& mabrel, const char* source, const char* frequencies,
                    const char* destination);
