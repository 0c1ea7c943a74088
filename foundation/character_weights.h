// How often characters are used, read from a frequency source: a weighted
// word list (a word, blanks or a tab, a whole number, as rime's essay.txt
// has it), told apart by its content as an import tells it, or any other
// UTF-8 text, each character of which counts once where it stands. A word's
// weight counts for each character of it. Characters of one byte (ASCII)
// carry no weight: no code table holds them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/desktop_tables/table_text.h"

struct FrequencySource {
    std::string name;
    DesktopTable table;  // its words as read (a text's lines read as words)
    bool weighted = false;
    // By Unicode code point, up to the highest one the source holds; `held`
    // is 1 where the source holds a character with a weight of 0.
    std::vector<long long> byCodePoint;
    std::vector<uint8_t> held;

    long long wordWeight(uint32_t entry) const;
};

// Reads `name`. Returns 0, or the number of the message it reported.
int readFrequencySource(const char* name, const TableReading& reading, FrequencySource& source);

// The weights of a source in one CharSet, by character index.
struct CharSetWeights {
    std::vector<long long> byIndex;
    int distinct = 0;     // distinct characters of the source
    int unwritable = 0;   // of them, those the CharSet cannot write
    long long total = 0;  // the weight of those it writes
};

CharSetWeights charSetWeights(const FrequencySource& source, CharSet charSet);

// "Typing, weighted by "name" (%d distinct characters, %d of them not in CharSet)".
std::string weightedHeading(const FrequencySource& source, const CharSetWeights& weights,
                            CharSet charSet);

// "%.2f %%" of part over whole, 0 when whole is 0.
std::string sharePercent(long long part, long long whole);
