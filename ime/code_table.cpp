#include "ime/code_table.h"

#include <new>

#include "ime/code_buckets.h"
#include "ime/code_tables_builder.h"
#include "ime/messages.h"

namespace {

int codeBuckets(CMabrel& mabrel) {
    CodeBuckets buckets;
    prepareBuckets(mabrel.header, buckets);
    readCodeLines(mabrel, buckets);
    mabrel.header.hzTotal = static_cast<uint32_t>(buckets.pairCount);
    if (buckets.entryCount > kMaxCodeEntries || buckets.pairCount > kMaxCodedCharacters) {
        return report(kTooManyCodes, keyName(kKeyText));
    }
    return buildCodeTables(mabrel, buckets);
}

}  // namespace

int codeTextSection(CMabrel& mabrel) {
    if (!seekSection(mabrel.source, kKeyText)) return report(kSectionMissing, keyName(kKeyText));
    report(kStartCoding, lineNumber);
    try {
        return codeBuckets(mabrel);
    } catch (const std::bad_alloc&) {
        report(kNoMemory);
        return kCodingOutOfMemory;
    }
}

int skipPhraseSection(CMabrel& mabrel) {
    seekSection(mabrel.source, kKeyPhrase);
    return 0;
}
