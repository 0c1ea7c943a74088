#include "ime/database/code_buckets.h"

#include <algorithm>
#include <cstring>

#include "foundation/char_sets.h"

namespace {

bool codeBefore(const CodeEntry& left, const CodeEntry& right) {
    return std::strcmp(left.code, right.code) < 0;
}

// Puts the pairs of a bucket, filed in order, in code order (equal codes
// keeping their order); style 2 then merges the pairs of a code into one
// entry.
void orderBucket(const ImeHeader& header, std::vector<CodeEntry>& entries) {
    const bool style2 = header.codingStyle == 2;
    const bool keepsSourceOrder = !style2 && header.noSort == 1;
    if (!keepsSourceOrder && !std::is_sorted(entries.begin(), entries.end(), codeBefore)) {
        std::stable_sort(entries.begin(), entries.end(), codeBefore);
    }
    if (!style2) return;
    std::vector<CodeEntry> merged;
    for (const CodeEntry& pair : entries) {
        if (merged.empty() || std::strcmp(merged.back().code, pair.code) != 0) {
            CodeEntry& entry = merged.emplace_back();
            std::memcpy(entry.code, pair.code, sizeof entry.code);
        }
        merged.back().hzList.push_back(pair.hz);
    }
    entries.swap(merged);
}

// The bucket number of a code, its characters' symbols taken from `alphabet`.
int codeBucket(const ImeHeader& header, const CodeAlphabet& alphabet, const char* code) {
    const bool secondSymbol = bucketKeys(header.codingStyle, header.indexDepth) == 2;
    const int s1 = alphabet.symbolOf(code[0]);
    const int s2 = code[1] != '\0' && secondSymbol ? alphabet.symbolOf(code[1]) : 0;
    return bucketOf(header.usedCodeCount, s1, s2);
}

}  // namespace

void prepareBuckets(const ImeHeader& header, CodeBuckets& buckets) {
    buckets.buckets.assign(static_cast<std::size_t>(bucketCount(header.usedCodeCount)),
                           CodeBucket{});
    buckets.alphabet = CodeAlphabet(header);
    buckets.entryCount = 0;
    buckets.pairCount = 0;
}

bool isFilableCode(const ImeHeader& header, const CodeAlphabet& alphabet, const char* code) {
    const std::size_t length = std::strlen(code);
    if (length == 0 || length > header.maxCodes || length >= kCodeFieldSize) return false;
    return std::all_of(code, code + length, [&](char c) { return alphabet.symbolOf(c) != 0; });
}

std::size_t bucketOfCode(const ImeHeader& header, const CodeBuckets& buckets, const char* code) {
    return static_cast<std::size_t>(codeBucket(header, buckets.alphabet, code));
}

void fileCodedCharacter(const ImeHeader& header, CodeBuckets& buckets, const char* code,
                        DoubleByteCharacter hz) {
    const int bucket = codeBucket(header, buckets.alphabet, code);
    CodeEntry& entry = buckets.buckets[static_cast<std::size_t>(bucket)].entries.emplace_back();
    std::strcpy(entry.code, code);
    entry.hz = hz;
    ++buckets.pairCount;
}

void orderBuckets(const ImeHeader& header, CodeBuckets& buckets) {
    buckets.entryCount = 0;
    for (CodeBucket& bucket : buckets.buckets) {
        orderBucket(header, bucket.entries);
        buckets.entryCount += static_cast<int>(bucket.entries.size());
    }
}
