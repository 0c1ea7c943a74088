// The code table's (code, character) pairs filed into buckets by the code's
// first one or two symbols (bucketOf), all buckets in one array, each
// bucket's pairs in the order they came. Once every pair is filed, each
// bucket is put in code order. Style 1 makes one entry per pair (equal
// codes keep their order, or every entry keeps it with NoSort=1); style 2
// makes one entry per code, of its run of pairs.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/double_byte_character.h"
#include "ime/code_list.h"
#include "ime/database/bit_packing.h"
#include "ime/database/code_table_capacity.h"
#include "ime/database/ime_header.h"
#include "ime/input_method.h"

inline constexpr int kCodeFieldSize = 18;

// A pair filed: its code by number in the input method's CodeList.
struct FiledPair {
    uint32_t code = 0;
    DoubleByteCharacter hz;
};

struct CodeBuckets {
    const CodeList* codes = nullptr;
    std::vector<FiledPair> pairs;       // bucket after bucket
    std::vector<uint32_t> bucketStart;  // where each bucket's pairs start, then the end
    CodeAlphabet alphabet;
    int entryCount = 0;  // E: entries made
    int pairCount = 0;   // T: pairs filed

    // Whether the pair at `at` starts an entry of bucket `bucket`.
    bool startsEntry(int codingStyle, std::size_t bucket, std::size_t at) const {
        return codingStyle != 2 || at == bucketStart[bucket] ||
               pairs[at].code != pairs[at - 1].code;
    }
};

// True when `code` is one the buckets take: 1 to maxCodes characters, each
// in "UsedCodes".
bool isFilableCode(const ImeHeader& header, const CodeAlphabet& alphabet, const char* code);

// Files the pairs of `im` whose code is filable, then puts every bucket in
// order and counts the entries.
void fileCodeTable(const ImeHeader& header, const InputMethod& im, CodeBuckets& buckets);
