#include "ime/code_tables_builder.h"

#include <algorithm>
#include <cstring>

#include "foundation/char_sets.h"
#include "ime/bit_packing.h"
#include "ime/messages.h"

namespace {

// A block reference 0x8000 + R must stay within 16 bits.
constexpr int kMaxRepeatSlots = 32766;

int bucketCount(const ImeHeader& header) {
    const int n = header.usedCodeCount;
    return n * (n + 1) + 1;
}

// The running state of the numbering.
struct Numbering {
    const ImeHeader& header;
    CodeTables& tables;
    int minHz;
    int maxHz = 0;
    int entry = 1;       // i: the next entry number
    int hzPosition = 1;  // p: the next HZTab position
};

void sizeTables(const ImeHeader& header, CodeTables& tables, int entries, int pairs) {
    const std::size_t records = static_cast<std::size_t>(entries) + 1;
    tables = CodeTables{};
    tables.hzMap.assign(static_cast<std::size_t>(hzMapSlots(header)), 0);
    tables.index.assign(static_cast<std::size_t>(bucketCount(header)), 0);
    tables.hzTab.assign(static_cast<std::size_t>(pairs) + 1, 0);
    tables.bits.assign(records * header.codeHeadBytes, 0);
    if (header.codingStyle == 2) {
        tables.hzInd.assign(records + 1, 0);
    } else {
        tables.bitsRest.assign(records * header.codeRestBytes, 0);
    }
}

// Bits (and BitsRest) record of the current entry.
void storeCode(Numbering& run, const CodeEntry& entry) {
    const ImeHeader& header = run.header;
    uint8_t* head = run.tables.bits.data() + run.entry * header.codeHeadBytes;
    if (header.codingStyle == 2) {
        std::memcpy(head, entry.code,
                    std::min<std::size_t>(std::strlen(entry.code), header.codeHeadBytes));
        run.tables.hzInd[run.entry] = static_cast<uint16_t>(run.hzPosition);
        return;
    }
    WorkBuffer packed{};
    packCode(header, entry.code, packed);
    std::memcpy(head, packed.data(), header.codeHeadBytes);
    std::copy_n(packed.begin() + header.codeHeadBytes, header.codeRestBytes,
                run.tables.bitsRest.begin() + run.entry * header.codeRestBytes);
}

// Character `hzIndex` gains the current entry beside the ones it has: a new
// block at the end of the used slots, or one more slot at the end of its
// block, with every later block's reference moved up by one.
int addFurtherEntry(Numbering& run, int hzIndex) {
    std::vector<uint16_t>& hzMap = run.tables.hzMap;
    std::vector<uint16_t>& blocks = run.tables.repeatBlocks;
    const int used = static_cast<int>(blocks.size());
    if (used >= 2 * hzMapSlots(run.header) - 2 || used >= kMaxRepeatSlots) {
        return report(kRepeatOverflow);
    }
    const uint16_t mapped = hzMap[hzIndex];
    const auto entry = static_cast<uint16_t>(run.entry);
    if ((mapped & kReferenceBit) == 0) {
        blocks.push_back(kReferenceBit | mapped);
        blocks.push_back(entry);
        hzMap[hzIndex] = static_cast<uint16_t>(kReferenceBit + used);
        return 0;
    }
    int last = mapped & kEntryMask;
    while ((blocks[last] & kReferenceBit) != 0) ++last;
    for (int y = run.minHz; y <= run.maxHz; ++y) {
        const uint16_t other = hzMap[y];
        if (y != hzIndex && (other & kReferenceBit) != 0 && (other & kEntryMask) > last) {
            hzMap[y] = static_cast<uint16_t>(other + 1);
        }
    }
    blocks[last] |= kReferenceBit;
    blocks.insert(blocks.begin() + last + 1, entry);
    return 0;
}

// One coded character of the current entry: its HZTab slot and its map.
int placeHz(Numbering& run, const HzBytes& hz) {
    const int hzIndex = charToIndex(run.header.charSet, reinterpret_cast<const char*>(hz.data()));
    run.tables.hzTab[run.hzPosition++] = static_cast<uint16_t>(hzIndex);
    run.maxHz = std::max(run.maxHz, hzIndex);
    run.minHz = std::min(run.minHz, hzIndex);
    if (run.tables.hzMap[hzIndex] == 0) {
        run.tables.hzMap[hzIndex] = static_cast<uint16_t>(run.entry);
        return 0;
    }
    return addFurtherEntry(run, hzIndex);
}

int numberEntry(Numbering& run, const CodeEntry& entry) {
    storeCode(run, entry);
    if (run.header.codingStyle != 2) return placeHz(run, entry.hz);
    for (const HzBytes& hz : entry.hzList) {
        if (int rc = placeHz(run, hz)) return rc;
    }
    return 0;
}

int numberBuckets(Numbering& run, CodeBuckets& buckets) {
    for (int b = 0; b < bucketCount(run.header); ++b) {
        run.tables.index[b] = static_cast<uint16_t>(run.entry);
        std::vector<CodeEntry>& entries = buckets.buckets[b].entries;
        for (std::size_t j = 0; j < entries.size(); ++j) {
            if (j % 10 == 0) advanceSpinner();
            if (int rc = numberEntry(run, entries[j])) return rc;
            ++run.entry;
        }
        std::vector<CodeEntry>().swap(entries);
    }
    if (run.header.codingStyle == 2) {
        run.tables.hzInd[run.entry] = static_cast<uint16_t>(run.hzPosition);
    }
    return 0;
}

int codeLengthOf(const ImeHeader& header, const CodeTables& tables, int entry) {
    WorkBuffer packed{};
    std::memcpy(packed.data(), tables.bits.data() + entry * header.codeHeadBytes,
                header.codeHeadBytes);
    std::copy_n(tables.bitsRest.begin() + entry * header.codeRestBytes, header.codeRestBytes,
                packed.begin() + header.codeHeadBytes);
    char code[kCodeFieldSize] = {};
    unpackCode(header, packed.data(), code);
    return static_cast<int>(std::strlen(code));
}

// Style 1: the entry with the longest code of each character (the earliest
// of equally long ones) goes to the front of its block and gets the
// primary flag.
void markPrimaryEntries(const ImeHeader& header, CodeTables& tables) {
    std::vector<uint16_t>& blocks = tables.repeatBlocks;
    for (int x = header.minHZIndex; x <= header.maxHZIndex; ++x) {
        const uint16_t mapped = tables.hzMap[x];
        int primary = mapped;
        if ((mapped & kReferenceBit) != 0) {
            const int first = mapped & kEntryMask;
            int kept = first;
            int longest = 0;
            for (int slot = first;; ++slot) {
                const int length = codeLengthOf(header, tables, blocks[slot] & kEntryMask);
                if (length > longest) {
                    longest = length;
                    kept = slot;
                }
                if ((blocks[slot] & kReferenceBit) == 0) break;
            }
            const uint16_t firstValue = blocks[first];
            const uint16_t keptValue = blocks[kept];
            blocks[first] = (firstValue & kReferenceBit) | (keptValue & kEntryMask);
            blocks[kept] = (keptValue & kReferenceBit) | (firstValue & kEntryMask);
            primary = keptValue & kEntryMask;
        }
        if (primary != 0) tables.bits[primary * header.codeHeadBytes] |= 0x80;
    }
}

}  // namespace

int buildCodeTables(CMabrel& mabrel, CodeBuckets& buckets) {
    ImeHeader& header = mabrel.header;
    sizeTables(header, mabrel.tables, buckets.entryCount, buckets.pairCount);

    Numbering run{header, mabrel.tables, hzMapSlots(header)};
    const int rc = numberBuckets(run, buckets);
    std::vector<CodeBucket>().swap(buckets.buckets);
    if (rc != 0) return rc;

    if (run.maxHz < run.minHz) return report(kNoCoding, keyName(kKeyText));
    header.minHZIndex = static_cast<uint16_t>(run.minHz);
    header.maxHZIndex = static_cast<uint16_t>(run.maxHz);
    header.repeatCount = static_cast<uint16_t>(mabrel.tables.repeatBlocks.size());
    if (header.codingStyle != 2) markPrimaryEntries(header, mabrel.tables);

    clearSpinner();
    return 0;
}
