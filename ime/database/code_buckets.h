// The code table's (code, character) pairs filed into buckets by the code's
// first one or two symbols (bucketOf). Once every pair is filed, each bucket is put in code
// order. Style 1 makes one entry per pair (equal codes keep their order, or
// every entry keeps it with NoSort=1); style 2 makes one entry per code,
// holding its characters in order.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/double_byte_character.h"
#include "ime/database/bit_packing.h"
#include "ime/database/code_table_capacity.h"
#include "ime/database/ime_header.h"

inline constexpr int kCodeFieldSize = 18;

struct CodeEntry {
    char code[kCodeFieldSize] = {};           // NUL-terminated, at most 12 characters
    DoubleByteCharacter hz;                   // style 1: the one character
    std::vector<DoubleByteCharacter> hzList;  // style 2: the characters in order
};

struct CodeBucket {
    std::vector<CodeEntry> entries;
};

struct CodeBuckets {
    std::vector<CodeBucket> buckets;  // n x (n + 1) + 1
    CodeAlphabet alphabet;
    int entryCount = 0;  // E: entries made
    int pairCount = 0;   // T: pairs filed
};

// Sets up the empty buckets for the code alphabet.
void prepareBuckets(const ImeHeader& header, CodeBuckets& buckets);

// True when `code` is one the buckets take: 1 to maxCodes characters, each
// in "UsedCodes".
bool isFilableCode(const ImeHeader& header, const CodeAlphabet& alphabet, const char* code);

// The bucket that a filable code's pairs go into.
std::size_t bucketOfCode(const ImeHeader& header, const CodeBuckets& buckets, const char* code);

// Files character `hz` under `code`, a filable code.
void fileCodedCharacter(const ImeHeader& header, CodeBuckets& buckets, const char* code,
                        DoubleByteCharacter hz);

// Puts every bucket in order and counts the entries.
void orderBuckets(const ImeHeader& header, CodeBuckets& buckets);
