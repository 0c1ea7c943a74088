// The compile that leaves out the (code, character) pairs an input-method
// database cannot hold ("/f"), instead of stopping. The pairs are taken in
// source order; a pair is left out when the code table has no room for it
// beside those taken (CodeTableCapacity), for its entries and characters or
// for its repeat blocks. Later pairs are still tried. The kept pairs lay out exactly as a source
// without the left-out ones.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ime/input_method.h"

class OutputPieces;

// One pair left out: its source line, its code (kept in the fitting's
// `codes`) and character (in the CharSet) and why.
// Twelve bytes, since a fit may leave out most of a million pairs; a code
// that can be filed holds fewer than kCodeFieldSize keys.
struct LeftOutCode {
    int line = 0;
    uint32_t codeAt = 0;
    uint8_t codeLength = 0;
    bool forRepeats = false;  // the repeat blocks are full, not the table
    DoubleByteCharacter character;
};
static_assert(sizeof(LeftOutCode) == 12);

struct CodeTableFitting {
    std::vector<LeftOutCode> leftOut;  // in source order
    std::string codes;                 // the codes of the pairs left out, one after another
    std::string_view codeOf(const LeftOutCode& item) const {
        return std::string_view(codes).substr(item.codeAt, item.codeLength);
    }
    int leftOutForSize = 0;
    int leftOutForRepeats = 0;
};

// Leaves out of `im` the pairs that do not fit; returns the list of those.
CodeTableFitting fitCodeTable(InputMethod& im);

// Warns of the first 10 pairs left out (904 or 903, each with its own
// source line), then of nothing more: the closing count says the rest.
void warnLeftOutCodes(const CodeTableFitting& fitting);

// The closing lines of a run that left pairs out: the counts by reason and
// the list's name.
void reportLeftOutCodes(const CodeTableFitting& fitting, const std::string& listName);

// The list's text, "%d\t%s\t%s\t%s\n" per pair, in the CharSet, or in UTF-8
// when `utf8` (a source written in UTF-8).
std::string leftOutCodesText(const CodeTableFitting& fitting, uint16_t charSet, bool utf8);
// The same text, a piece at a time, for a list too large to hold whole.
void writeLeftOutCodes(const CodeTableFitting& fitting, uint16_t charSet, bool utf8,
                       OutputPieces& pieces);
