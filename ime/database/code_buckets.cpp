#include "ime/database/code_buckets.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kNoBucket = UINT32_MAX;

// The bucket number of a code, its characters' symbols taken from `alphabet`.
int codeBucket(const ImeHeader& header, const CodeAlphabet& alphabet, const char* code) {
    const bool secondSymbol = bucketKeys(header.codingStyle, header.indexDepth) == 2;
    const int s1 = alphabet.symbolOf(code[0]);
    const int s2 = code[1] != '\0' && secondSymbol ? alphabet.symbolOf(code[1]) : 0;
    return bucketOf(header.usedCodeCount, s1, s2);
}

// Puts the pairs of a bucket, filed in order, in code order (equal codes
// keeping their order), and counts its entries.
int orderBucket(const ImeHeader& header, CodeBuckets& buckets, std::size_t bucket) {
    const auto begin = buckets.pairs.begin() + buckets.bucketStart[bucket];
    const auto end = buckets.pairs.begin() + buckets.bucketStart[bucket + 1];
    const CodeList& codes = *buckets.codes;
    // strcmp's order, the codes of a bucket sharing their first symbols.
    const auto codeBefore = [&](const FiledPair& left, const FiledPair& right) {
        const auto* a = reinterpret_cast<const unsigned char*>(codes.text(left.code));
        const auto* b = reinterpret_cast<const unsigned char*>(codes.text(right.code));
        while (*a != 0 && *a == *b) ++a, ++b;
        return *a < *b;
    };
    const bool keepsSourceOrder = header.codingStyle != 2 && header.noSort == 1;
    if (!keepsSourceOrder && !std::is_sorted(begin, end, codeBefore)) {
        std::stable_sort(begin, end, codeBefore);
    }
    int entries = 0;
    for (auto at = buckets.bucketStart[bucket]; at < buckets.bucketStart[bucket + 1]; ++at) {
        if (buckets.startsEntry(header.codingStyle, bucket, at)) ++entries;
    }
    return entries;
}

}  // namespace

bool isFilableCode(const ImeHeader& header, const CodeAlphabet& alphabet, const char* code) {
    // Past the longest code taken, a code is too long whatever follows.
    const std::size_t longest = std::min<std::size_t>(header.maxCodes, kCodeFieldSize - 1);
    std::size_t length = 0;
    for (; code[length] != '\0'; ++length) {
        if (length == longest || alphabet.symbolOf(code[length]) == 0) return false;
    }
    return length > 0;
}

void fileCodeTable(const ImeHeader& header, const InputMethod& im, CodeBuckets& buckets) {
    buckets = CodeBuckets{};
    buckets.codes = &im.codes;
    buckets.alphabet = CodeAlphabet(header);
    const auto bucketTotal = static_cast<std::size_t>(bucketCount(header.usedCodeCount));
    // The pairs' room first: the largest block, it takes what the reading
    // of the code table gave back.
    buckets.pairs.reserve(im.entries.size());
    std::vector<uint32_t> bucketOfCode(im.codes.size(), kNoBucket);
    for (uint32_t code = 0; code < im.codes.size(); ++code) {
        const char* text = im.codes.text(code);
        if (!isFilableCode(header, buckets.alphabet, text)) continue;
        bucketOfCode[code] = static_cast<uint32_t>(codeBucket(header, buckets.alphabet, text));
    }
    // Counted first, so that every pair goes straight to its place.
    std::vector<uint32_t>& start = buckets.bucketStart;
    start.assign(bucketTotal + 1, 0);
    for (const CodeTableEntry& entry : im.entries) {
        if (bucketOfCode[entry.code] != kNoBucket) ++start[bucketOfCode[entry.code] + 1];
    }
    for (std::size_t b = 0; b < bucketTotal; ++b) start[b + 1] += start[b];
    buckets.pairs.resize(start[bucketTotal]);
    std::vector<uint32_t> next(start.begin(), start.end() - 1);
    for (const CodeTableEntry& entry : im.entries) {
        const uint32_t bucket = bucketOfCode[entry.code];
        if (bucket != kNoBucket) buckets.pairs[next[bucket]++] = {entry.code, entry.character};
    }
    buckets.pairCount = static_cast<int>(buckets.pairs.size());
    for (std::size_t b = 0; b < bucketTotal; ++b)
        buckets.entryCount += orderBucket(header, buckets, b);
}
