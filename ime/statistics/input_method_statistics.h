// What an input method fills of the database's room, which characters of its
// CharSet it codes, and how its codes are shared and how long they are:
// figures computed from the InputMethod record alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "foundation/diagnostics.h"
#include "ime/database/code_table_capacity.h"
#include "ime/input_method.h"
#include "ime/statistics/code_characters.h"

inline constexpr std::size_t kUncodedShown = 20;

// A run of characters of the CharSet, by character index, and how many of
// them have a code.
struct CharacterCoverage {
    std::string name;
    int characters = 0;
    int coded = 0;
    std::vector<unsigned> firstUncoded;  // at most kUncodedShown character indexes
};

struct AreaCoverage {
    CharacterCoverage area;
    std::vector<CharacterCoverage> levels;  // the well-known levels inside it
};

struct InputMethodStatistics {
    int entries = 0;          // as the database numbers them
    int codedCharacters = 0;  // (code, character) pairs
    int repeatSlots = 0;      // taken by characters with several entries
    int repeatLimit = 0;      // min(2H - 2, 32766)
    int largestBucket = 0;    // entries in the fullest bucket
    std::vector<AreaCoverage> areas;
    std::optional<int> hkscsCharacters;  // ChineseBIG5: coded characters beyond Big5
    int distinctCodes = 0;
    int sharedCodes = 0;              // codes with several characters
    int charactersOnSharedCodes = 0;  // the characters on them, each time
    std::string crowdedCode;          // the code with the most characters
    std::vector<DoubleByteCharacter> crowdedCharacters;
    int distinctCharacters = 0;
    int severalCodes = 0;                // characters with several codes
    std::vector<int> codesByLength;      // [n]: distinct codes of n keys
    std::vector<int> codesByCandidates;  // [n]: distinct codes of n characters
    double averageShortestCode = 0.0;    // over the coded characters
};

// `codes` are those of `im`, as codesOf gives them.
InputMethodStatistics inputMethodStatistics(const InputMethod& im,
                                            const std::vector<CodeCharacters>& codes);

// The report, in UTF-8 lines, of `im` read from `fileName`; for a source,
// the counts of the messages its reading gave.
std::string inputMethodReport(const InputMethod& im, const InputMethodStatistics& figures,
                              const char* fileName, const std::vector<MessageCount>* messages);
