#include "ime/code_buckets.h"

#include <algorithm>
#include <cstring>

#include "foundation/char_sets.h"
#include "foundation/process_end.h"
#include "foundation/text_helpers.h"
#include "foundation/utf8_source.h"
#include "ime/bit_packing.h"
#include "ime/messages.h"

namespace {

// A bucket of up to this many pairs is searched pair by pair for a pair
// filed again; a larger one has its pairs in the hash set.
constexpr std::size_t kSearchedPairs = 32;

// Length of the code token at `start`: up to a blank, the line end, or the
// first double-byte character.
int codeTokenLength(const LeadTrailBytes& bytes, const char* start) {
    const char* end = start;
    while (*end != '\0' && !isBlank(*end) && *end != '\n' && !bytes.startsChar(end)) ++end;
    return static_cast<int>(end - start);
}

bool sameHz(const HzBytes& listed, const uint8_t* hz) {
    return listed[0] == hz[0] && listed[1] == hz[1];
}

// True when the bucket has the pair already.
bool isFiled(CodeBuckets& buckets, const std::vector<CodeEntry>& pairs, const char* code,
             const uint8_t* hz) {
    if (pairs.size() < kSearchedPairs) {
        for (const CodeEntry& pair : pairs) {
            if (sameHz(pair.hz, hz) && std::strcmp(pair.code, code) == 0) return true;
        }
        return false;
    }
    if (pairs.size() == kSearchedPairs) {
        for (const CodeEntry& pair : pairs) buckets.filed.insert(pair.code, pair.hz.data());
    }
    return !buckets.filed.insert(code, hz);
}

bool codeBefore(const CodeEntry& left, const CodeEntry& right) {
    return std::strcmp(left.code, right.code) < 0;
}

// Puts the pairs of a bucket, filed in source order, in code order (equal
// codes keeping the source order); style 2 then merges the pairs of a code
// into one entry.
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

void orderBuckets(const ImeHeader& header, CodeBuckets& buckets) {
    buckets.entryCount = 0;
    for (CodeBucket& bucket : buckets.buckets) {
        orderBucket(header, bucket.entries);
        buckets.entryCount += static_cast<int>(bucket.entries.size());
    }
    buckets.filed.clear();
}

// The bucket number of a code, its characters' symbols taken from `alphabet`.
int bucketOf(const ImeHeader& header, const CodeAlphabet& alphabet, const char* code) {
    const bool firstSymbolOnly = header.codingStyle == 1 && header.indexDepth == 1;
    const int s1 = alphabet.symbolOf(code[0]);
    const int s2 = code[1] != '\0' && !firstSymbolOnly ? alphabet.symbolOf(code[1]) : 0;
    return (s1 - 1) * (header.usedCodeCount + 1) + s2;
}

void codeLine(CMabrel& mabrel, CodeBuckets& buckets) {
    const char* line = mabrel.source.lineBuffer.c_str();
    const ImeHeader& header = mabrel.header;
    if (isBlankLine(line)) return;

    const char* start = skipBlanks(line);
    const int length = codeTokenLength(buckets.hzBytes, start);
    if (length == 0) {
        report(kNoCode, line);
        noteUtf8Line(line);
        return;
    }
    if (length > header.maxCodes) {
        report(kCodeTooLong, line);
        noteUtf8Line(line);
        endProcess(1);
    }
    for (int k = 0; k < length; ++k) {
        if (buckets.alphabet.symbolOf(start[k]) == 0) {
            report(kCodeCharError, start[k], line);
            noteUtf8Line(line);
            endProcess(1);
        }
    }
    char code[kCodeFieldSize] = {};
    std::memcpy(code, start, length);

    const char* text = skipBlanks(start + length);
    if (!buckets.hzBytes.startsChar(text)) {
        report(kNoCode, line);
        noteUtf8Line(line);
        return;
    }
    while (buckets.hzBytes.startsChar(text)) {
        addCodedCharacter(header, buckets, code, reinterpret_cast<const uint8_t*>(text), line);
        text = skipBlanks(text + 2);
    }
}

}  // namespace

int hzMapSlots(const ImeHeader& header) {
    return indexCount(header.charSet) + 1;
}

void prepareBuckets(const ImeHeader& header, CodeBuckets& buckets) {
    const int n = header.usedCodeCount;
    buckets.buckets.assign(static_cast<std::size_t>(n * (n + 1) + 1), CodeBucket{});
    buckets.alphabet = CodeAlphabet(header);
    buckets.hzBytes = LeadTrailBytes(header.charSet);
    buckets.filed.clear();
    buckets.entryCount = 0;
    buckets.pairCount = 0;
}

int bucketNumber(const ImeHeader& header, const char* code) {
    return bucketOf(header, CodeAlphabet(header), code);
}

void addCodedCharacter(const ImeHeader& header, CodeBuckets& buckets, const char* code,
                       const uint8_t* hz, const char* line) {
    const int bucket = bucketOf(header, buckets.alphabet, code);
    std::vector<CodeEntry>& pairs = buckets.buckets[bucket].entries;
    if (isFiled(buckets, pairs, code, hz)) {
        const char hzText[3] = {static_cast<char>(hz[0]), static_cast<char>(hz[1]), '\0'};
        report(kDuplicateHanZi, hzText, line);
        return;
    }
    CodeEntry& entry = pairs.emplace_back();
    std::strcpy(entry.code, code);
    entry.hz = {hz[0], hz[1]};
    ++buckets.pairCount;
}

void readCodeLines(CMabrel& mabrel, CodeBuckets& buckets) {
    while (readSourceLine(mabrel.source.lineBuffer, mabrel.source.stream) != nullptr) {
        codeLine(mabrel, buckets);
    }
    orderBuckets(mabrel.header, buckets);
}
