// Reading of the "[Text]" code table into buckets. A code line holds a code
// spelled from "UsedCodes" and the double-byte characters it produces:
//
//   abc   XXYYZZ        (blanks before and between characters optional)
//
// Every accepted (code, character) pair goes at once into the bucket of the
// code's first one or two symbols, kept in code order:
//   bucket = (s1 - 1) x (n + 1) + s2
// with s2 = 0 for a one-character code, and for every code in coding style 1
// with IndexDepth 1. Style 1 makes one entry per pair (equal codes keep the
// source order, or every entry keeps it with NoSort=1); style 2 makes one
// entry per code, holding its characters in source order.
#pragma once

#include <cstdint>
#include <vector>

#include "ime/mabrel_context.h"
#include "ime/zeroed_array.h"

inline constexpr int kCodeFieldSize = 18;

struct CodeEntry {
    char code[kCodeFieldSize];  // NUL-terminated, at most 12 characters
    uint8_t hz[2];              // style 1: the one character, bytes in source order
    int firstHz;                // style 2: the character chain in hzPool, 0 = none
    int lastHz;
};

// One character of a style-2 entry, linked to the next one (0 ends the chain).
struct HzNode {
    uint8_t hz[2];
    int next;
};

struct CodeBucket {
    ZeroedArray<CodeEntry> entries;
};

struct CodeBuckets {
    std::vector<CodeBucket> buckets;  // n x (n + 1) + 1
    ZeroedArray<HzNode> hzPool;       // style 2; node 0 is never used
    int entryCount = 0;               // E: entries made
    int pairCount = 0;                // T: (code, character) pairs accepted
};

// H: one slot per character index of the CharSet, plus one.
int hzMapSlots(const CMabrel& mabrel);

// Sets up the empty buckets for the code alphabet. False after reporting 200.
bool prepareBuckets(const CMabrel& mabrel, CodeBuckets& buckets);

// The bucket of a code (every character of it in "UsedCodes").
int bucketNumber(const CMabrel& mabrel, const char* code);

// Files character `hz` under `code`, or refuses it with warning 905 when the
// code has it already. 0, or 1 when an allocation failed.
int addCodedCharacter(const CMabrel& mabrel, CodeBuckets& buckets, const char* code,
                      const uint8_t* hz);

// Reads the code lines from the source's position to its end. 0, or 1 when
// an allocation failed; a bad code ends the process (902, status 1).
int readCodeLines(CMabrel& mabrel, CodeBuckets& buckets);

// Calls `visit(hz)` for every character of a style-2 entry, in order.
template <class Visit>
void forEachHz(const CodeBuckets& buckets, const CodeEntry& entry, Visit visit) {
    for (int node = entry.firstHz; node != 0; node = buckets.hzPool[node].next) {
        visit(buckets.hzPool[node].hz);
    }
}
