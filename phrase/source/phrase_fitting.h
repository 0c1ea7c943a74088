// The compile that leaves out what the database cannot hold ("/f"): a phrase
// that would take its first character past 2048 words, or the "DATA" body of
// its block of 256 first characters past 65535 bytes, is left out with a
// warning instead of ending the run.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "phrase/tosker_context.h"

// The part of a "DATA" body that the phrases kept so far take.
struct BlockFill {
    int first = kCharactersPerBlock;  // F: the lowest position with phrases
    std::size_t words = 0;            // the words of all its lists
};

// One phrase left out: its source line, its characters and why.
struct LeftOutPhrase {
    int line;
    std::string phrase;
    bool forBlock;  // its block is full, not its first character
};

struct PhraseFitting {
    std::vector<BlockFill> blocks;  // one per block of the CharSet
    int leftOutForCharacters = 0;
    int leftOutForBlocks = 0;
    std::vector<LeftOutPhrase> leftOut;  // in source order
};

// Empties the fitting for the blocks of the context's CharSet.
void startFitting(PhraseFitting& fitting, const CTosker& tosker);

enum class PhraseFit { kFits, kCharacterFull, kBlockFull };

// Whether a phrase of `wordCount` words fits under `slot`; when it does it
// is counted in its block, and the caller files it. Otherwise it is counted
// as left out, for its full first character before its full block, with
// warning 905 or 906 for the first 10 left out.
PhraseFit judgePhrase(PhraseFitting& fitting, const CTosker& tosker, int slot,
                      std::size_t wordCount);

// judgePhrase, and a phrase left out listed with the line last read; true
// when it fits.
bool fitPhrase(PhraseFitting& fitting, const CTosker& tosker, int slot, std::size_t wordCount,
               std::string_view phrase);

int leftOutTotal(const PhraseFitting& fitting);
