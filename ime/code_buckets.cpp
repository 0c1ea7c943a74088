#include "ime/code_buckets.h"

#include <cstring>

#include "foundation/char_sets.h"
#include "foundation/process_end.h"
#include "foundation/text_helpers.h"
#include "ime/bit_packing.h"
#include "ime/messages.h"

namespace {

// Style-2 characters are taken from the pool in runs of this many nodes.
constexpr int kHzPoolStep = 1024;

bool isStyle2(const CMabrel& mabrel) {
    return mabrel.header.codingStyle == 2;
}

// A bucket takes room for H / 10 entries at its first use, and as much
// again whenever it is full.
int bucketStep(const CMabrel& mabrel) {
    return hzMapSlots(mabrel) / 10;
}

bool entryHasHz(const CodeBuckets& buckets, const CodeEntry& entry, const uint8_t* hz,
                bool style2) {
    if (!style2) return entry.hz[0] == hz[0] && entry.hz[1] == hz[1];
    bool found = false;
    forEachHz(buckets, entry, [&](const uint8_t* listed) {
        found = found || (listed[0] == hz[0] && listed[1] == hz[1]);
    });
    return found;
}

bool isDuplicate(const CodeBuckets& buckets, const ZeroedArray<CodeEntry>& entries,
                 const char* code, const uint8_t* hz, bool style2) {
    for (int j = 0; j < entries.size(); ++j) {
        if (std::strcmp(entries[j].code, code) == 0 &&
            entryHasHz(buckets, entries[j], hz, style2)) {
            return true;
        }
    }
    return false;
}

// Appends a character to the chain of a style-2 entry; the pool has room.
void appendHz(CodeBuckets& buckets, CodeEntry& entry, const uint8_t* hz) {
    const int node = buckets.hzPool.size();
    HzNode& added = buckets.hzPool.append();
    added.hz[0] = hz[0];
    added.hz[1] = hz[1];
    if (entry.lastHz != 0) {
        buckets.hzPool[entry.lastHz].next = node;
    } else {
        entry.firstHz = node;
    }
    entry.lastHz = node;
}

// The entry that receives a character under `code`: in style 2 the entry of
// that code when the bucket has one, otherwise a new entry after every entry
// whose code is less or equal (at the end with NoSort=1). Null after a
// failed allocation.
CodeEntry* chooseEntry(const CMabrel& mabrel, CodeBuckets& buckets, ZeroedArray<CodeEntry>& entries,
                       const char* code) {
    const bool style2 = isStyle2(mabrel);
    int position = entries.size();
    if (style2 || mabrel.header.noSort != 1) {
        int j = entries.size() - 1;
        while (j >= 0 && std::strcmp(entries[j].code, code) > 0) --j;
        if (style2 && j >= 0 && std::strcmp(entries[j].code, code) == 0) return &entries[j];
        position = j + 1;
    }
    if (!entries.makeRoom(bucketStep(mabrel))) return nullptr;
    CodeEntry& entry = entries.insertAt(position);
    std::strcpy(entry.code, code);
    ++buckets.entryCount;
    return &entry;
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

int codeLine(CMabrel& mabrel, CodeBuckets& buckets) {
    const char* line = mabrel.source.lineBuffer;
    const ImeHeader& header = mabrel.header;
    if (isBlankLine(line)) return 0;

    const char* start = skipBlanks(line);
    const int length = codeTokenLength(header.charSet, start);
    if (length == 0) {
        report(kNoCode, line);
        return 0;
    }
    if (length > header.maxCodes) {
        report(kCodeTooLong, line);
        endProcess(1);
    }
    for (int k = 0; k < length; ++k) {
        if (findSymbol(header, start[k]) == 0) {
            report(kCodeCharError, start[k], line);
            endProcess(1);
        }
    }
    char code[kCodeFieldSize] = {};
    std::memcpy(code, start, length);

    const char* text = skipBlanks(start + length);
    if (!startsWithHz(header.charSet, text)) {
        report(kNoCode, line);
        return 0;
    }
    while (startsWithHz(header.charSet, text)) {
        if (int rc =
                addCodedCharacter(mabrel, buckets, code, reinterpret_cast<const uint8_t*>(text))) {
            return rc;
        }
        text = skipBlanks(text + 2);
    }
    return 0;
}

}  // namespace

int hzMapSlots(const CMabrel& mabrel) {
    return indexCount(mabrel.header.charSet) + 1;
}

bool prepareBuckets(const CMabrel& mabrel, CodeBuckets& buckets) {
    const int n = mabrel.header.usedCodeCount;
    buckets.buckets = std::vector<CodeBucket>(n * (n + 1) + 1);
    buckets.entryCount = 0;
    buckets.pairCount = 0;
    if (!isStyle2(mabrel)) return true;
    if (!buckets.hzPool.makeRoom(kHzPoolStep)) return false;
    buckets.hzPool.append();  // node 0 marks the end of a chain
    return true;
}

int bucketNumber(const CMabrel& mabrel, const char* code) {
    const ImeHeader& header = mabrel.header;
    const bool firstSymbolOnly = header.codingStyle == 1 && header.indexDepth == 1;
    const int s1 = symbolOf(mabrel, code[0]);
    const int s2 = code[1] != '\0' && !firstSymbolOnly ? symbolOf(mabrel, code[1]) : 0;
    return (s1 - 1) * (header.usedCodeCount + 1) + s2;
}

int addCodedCharacter(const CMabrel& mabrel, CodeBuckets& buckets, const char* code,
                      const uint8_t* hz) {
    ZeroedArray<CodeEntry>& entries = buckets.buckets[bucketNumber(mabrel, code)].entries;
    if (entries.capacity() == 0 && !entries.makeRoom(bucketStep(mabrel))) return 1;

    const bool style2 = isStyle2(mabrel);
    if (isDuplicate(buckets, entries, code, hz, style2)) {
        const char hzText[3] = {static_cast<char>(hz[0]), static_cast<char>(hz[1]), '\0'};
        report(kDuplicateHanZi, hzText, mabrel.source.lineBuffer);
        return 0;
    }
    if (style2 && !buckets.hzPool.makeRoom(kHzPoolStep)) return 1;

    CodeEntry* entry = chooseEntry(mabrel, buckets, entries, code);
    if (entry == nullptr) return 1;
    if (style2) {
        appendHz(buckets, *entry, hz);
    } else {
        entry->hz[0] = hz[0];
        entry->hz[1] = hz[1];
    }
    ++buckets.pairCount;
    return 0;
}

int readCodeLines(CMabrel& mabrel, CodeBuckets& buckets) {
    std::FILE* stream = mabrel.source.stream.get();
    while (readSourceLine(mabrel.source.lineBuffer, kLineReadCapacity, stream) != nullptr) {
        if (int rc = codeLine(mabrel, buckets)) return rc;
    }
    return 0;
}
