#include "ime/code_table.h"

#include "ime/code_buckets.h"
#include "ime/code_tables_builder.h"
#include "ime/messages.h"

int codeTextSection(CMabrel& mabrel) {
    if (!seekSection(mabrel.source, kKeyText)) return report(kSectionMissing, keyName(kKeyText));
    report(kStartCoding, lineNumber);

    CodeBuckets buckets;
    if (!prepareBuckets(mabrel, buckets)) return 1;
    if (int rc = readCodeLines(mabrel, buckets)) return rc;
    mabrel.header.hzTotal = static_cast<uint32_t>(buckets.pairCount);
    if (buckets.entryCount > kMaxCodeEntries || buckets.pairCount > kMaxCodedCharacters) {
        return report(kTooManyCodes, keyName(kKeyText));
    }
    return buildCodeTables(mabrel, buckets);
}

int skipPhraseSection(CMabrel& mabrel) {
    seekSection(mabrel.source, kKeyPhrase);
    return 0;
}
