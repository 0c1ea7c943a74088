#include "ime/code_buckets.h"

#include <cstring>

#include "foundation/char_sets.h"
#include "foundation/process_end.h"
#include "foundation/text_helpers.h"
#include "foundation/utf8_source.h"
#include "ime/bit_packing.h"
#include "ime/messages.h"

namespace {

bool sameHz(const HzBytes& listed, const uint8_t* hz) {
    return listed[0] == hz[0] && listed[1] == hz[1];
}

bool entryHasHz(const CodeEntry& entry, const uint8_t* hz, bool style2) {
    if (!style2) return sameHz(entry.hz, hz);
    for (const HzBytes& listed : entry.hzList) {
        if (sameHz(listed, hz)) return true;
    }
    return false;
}

bool isDuplicate(const std::vector<CodeEntry>& entries, const char* code, const uint8_t* hz,
                 bool style2) {
    for (const CodeEntry& entry : entries) {
        if (std::strcmp(entry.code, code) == 0 && entryHasHz(entry, hz, style2)) return true;
    }
    return false;
}

// The entry that receives a character under `code`: in style 2 the entry of
// that code when the bucket has one, otherwise a new entry after every entry
// whose code is less or equal (at the end with NoSort=1).
CodeEntry& chooseEntry(const ImeHeader& header, CodeBuckets& buckets,
                       std::vector<CodeEntry>& entries, const char* code) {
    const bool style2 = header.codingStyle == 2;
    auto position = static_cast<std::ptrdiff_t>(entries.size());
    if (style2 || header.noSort != 1) {
        std::ptrdiff_t j = position - 1;
        while (j >= 0 && std::strcmp(entries[j].code, code) > 0) --j;
        if (style2 && j >= 0 && std::strcmp(entries[j].code, code) == 0) return entries[j];
        position = j + 1;
    }
    CodeEntry& entry = *entries.emplace(entries.begin() + position);
    std::strcpy(entry.code, code);
    ++buckets.entryCount;
    return entry;
}

bool startsWithHz(CharSet charSet, const char* text) {
    return startsWithDoubleByteChar(charSet, text, static_cast<uint16_t>(std::strlen(text)));
}

// Length of the code token at `start`: up to a blank, the line end, or the
// first double-byte character.
int codeTokenLength(CharSet charSet, const char* start) {
    const char* end = start;
    while (*end != '\0' && !isBlank(*end) && *end != '\n' && !startsWithHz(charSet, end)) ++end;
    return static_cast<int>(end - start);
}

void codeLine(CMabrel& mabrel, CodeBuckets& buckets) {
    const char* line = mabrel.source.lineBuffer;
    const ImeHeader& header = mabrel.header;
    if (isBlankLine(line)) return;

    const char* start = skipBlanks(line);
    const int length = codeTokenLength(header.charSet, start);
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
        if (symbolOf(header, start[k]) == 0) {
            report(kCodeCharError, start[k], line);
            noteUtf8Line(line);
            endProcess(1);
        }
    }
    char code[kCodeFieldSize] = {};
    std::memcpy(code, start, length);

    const char* text = skipBlanks(start + length);
    if (!startsWithHz(header.charSet, text)) {
        report(kNoCode, line);
        noteUtf8Line(line);
        return;
    }
    while (startsWithHz(header.charSet, text)) {
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
    buckets.entryCount = 0;
    buckets.pairCount = 0;
}

int bucketNumber(const ImeHeader& header, const char* code) {
    const bool firstSymbolOnly = header.codingStyle == 1 && header.indexDepth == 1;
    const int s1 = symbolOf(header, code[0]);
    const int s2 = code[1] != '\0' && !firstSymbolOnly ? symbolOf(header, code[1]) : 0;
    return (s1 - 1) * (header.usedCodeCount + 1) + s2;
}

void addCodedCharacter(const ImeHeader& header, CodeBuckets& buckets, const char* code,
                       const uint8_t* hz, const char* line) {
    std::vector<CodeEntry>& entries = buckets.buckets[bucketNumber(header, code)].entries;
    const bool style2 = header.codingStyle == 2;
    if (isDuplicate(entries, code, hz, style2)) {
        const char hzText[3] = {static_cast<char>(hz[0]), static_cast<char>(hz[1]), '\0'};
        report(kDuplicateHanZi, hzText, line);
        return;
    }
    CodeEntry& entry = chooseEntry(header, buckets, entries, code);
    if (style2) {
        entry.hzList.push_back({hz[0], hz[1]});
    } else {
        entry.hz = {hz[0], hz[1]};
    }
    ++buckets.pairCount;
}

void readCodeLines(CMabrel& mabrel, CodeBuckets& buckets) {
    while (readSourceLine(mabrel.source.lineBuffer, kLineReadCapacity, mabrel.source.stream) !=
           nullptr) {
        codeLine(mabrel, buckets);
    }
}
