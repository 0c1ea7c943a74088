// Reading of the "[Text]" code table into buckets. A code line holds a code
// spelled from "UsedCodes" and the double-byte characters it produces:
//
//   abc   XXYYZZ        (blanks before and between characters optional)
//
// Every accepted (code, character) pair goes into the bucket of the code's
// first one or two symbols:
//   bucket = (s1 - 1) x (n + 1) + s2
// with s2 = 0 for a one-character code, and for every code in coding style 1
// with IndexDepth 1. Once the last line is read, each bucket is put in code
// order. Style 1 makes one entry per pair (equal codes keep the source order,
// or every entry keeps it with NoSort=1); style 2 makes one entry per code,
// holding its characters in source order.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "foundation/char_sets.h"
#include "ime/bit_packing.h"
#include "ime/coded_pair_set.h"
#include "ime/mabrel_context.h"

inline constexpr int kCodeFieldSize = 18;

using HzBytes = std::array<uint8_t, 2>;

struct CodeEntry {
    char code[kCodeFieldSize] = {};  // NUL-terminated, at most 12 characters
    HzBytes hz{};                    // style 1: the one character, bytes in source order
    std::vector<HzBytes> hzList;     // style 2: the characters in source order
};

struct CodeBucket {
    std::vector<CodeEntry> entries;
};

struct CodeBuckets {
    std::vector<CodeBucket> buckets;  // n x (n + 1) + 1
    CodeAlphabet alphabet;
    LeadTrailBytes hzBytes{0};
    CodedPairSet filed;  // the accepted pairs of the larger buckets
    int entryCount = 0;  // E: entries made
    int pairCount = 0;   // T: (code, character) pairs accepted
};

// H: one slot per character index of the CharSet, plus one.
int hzMapSlots(const ImeHeader& header);

// Sets up the empty buckets for the code alphabet.
void prepareBuckets(const ImeHeader& header, CodeBuckets& buckets);

// The bucket of a code (every character of it in "UsedCodes").
int bucketNumber(const ImeHeader& header, const char* code);

// Files character `hz` under `code`, or refuses it with warning 905 when the
// code has it already (the message quotes `line`).
void addCodedCharacter(const ImeHeader& header, CodeBuckets& buckets, const char* code,
                       const uint8_t* hz, const char* line);

// Reads the code lines from the source's position to its end and puts the
// buckets in order. A bad code ends the process (902, status 1).
void readCodeLines(CMabrel& mabrel, CodeBuckets& buckets);
