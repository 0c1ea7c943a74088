#include "ime/code_tables_builder.h"

#include <algorithm>
#include <cstring>

#include "foundation/big_endian.h"
#include "foundation/char_sets.h"
#include "ime/bit_packing.h"
#include "ime/messages.h"

namespace {

constexpr uint16_t kReferenceBit = 0x8000;
constexpr uint16_t kEntryMask = 0x7FFF;
// A block reference 0x8000 + R must stay within 16 bits.
constexpr int kMaxRepeatSlots = 32766;

uint16_t slotAt(const ZeroedBlock& table, int slot) {
    return getU16BE(table.get() + 2 * slot);
}
void setSlot(ZeroedBlock& table, int slot, uint16_t value) {
    putU16BE(table.get() + 2 * slot, value);
}

int bucketCount(const CMabrel& mabrel) {
    const int n = mabrel.header.usedCodeCount;
    return n * (n + 1) + 1;
}

// The running state of the numbering.
struct Numbering {
    CMabrel& mabrel;
    CodeTables& tables;
    int minHz;
    int maxHz = 0;
    int repeatCount = 0;  // R
    int entry = 1;        // i: the next entry number
    int hzPosition = 1;   // p: the next HZTab position
};

bool allocateTables(CMabrel& mabrel, int entries, int pairs) {
    const ImeHeader& header = mabrel.header;
    CodeTables& tables = mabrel.tables;
    const int slots = hzMapSlots(mabrel);
    tables.hzMap = allocZeroedBlock(slots * 2);
    if (!tables.hzMap) return false;
    tables.repeatBlocks = allocZeroedBlock(2 * slots * 2);
    if (!tables.repeatBlocks) return false;
    tables.index = allocZeroedBlock(bucketCount(mabrel) * 2);
    if (!tables.index) return false;
    tables.hzTab = allocZeroedBlock((pairs + 1) * 2);
    if (!tables.hzTab) return false;
    tables.bits = allocZeroedBlock((entries + 2) * header.codeHeadBytes);
    if (!tables.bits) return false;
    if (header.codingStyle == 2) {
        tables.hzInd = allocZeroedBlock((entries + 2) * 2);
        return static_cast<bool>(tables.hzInd);
    }
    tables.bitsRest = allocZeroedBlock((entries + 2) * header.codeRestBytes);
    return static_cast<bool>(tables.bitsRest);
}

// Bits (and BitsRest) record of the current entry.
void storeCode(Numbering& run, const CodeEntry& entry) {
    const ImeHeader& header = run.mabrel.header;
    uint8_t* head = run.tables.bits.get() + run.entry * header.codeHeadBytes;
    if (header.codingStyle == 2) {
        std::memcpy(head, entry.code,
                    std::min<std::size_t>(std::strlen(entry.code), header.codeHeadBytes));
        setSlot(run.tables.hzInd, run.entry, static_cast<uint16_t>(run.hzPosition));
        return;
    }
    WorkBuffer packed{};
    packCode(run.mabrel, entry.code, packed);
    std::memcpy(head, packed.data(), header.codeHeadBytes);
    std::memcpy(run.tables.bitsRest.get() + run.entry * header.codeRestBytes,
                packed.data() + header.codeHeadBytes, header.codeRestBytes);
}

// Character `hzIndex` gains the current entry beside the ones it has: a new
// block at the end of the used slots, or one more slot at the end of its
// block, with every later block's reference moved up by one.
int addFurtherEntry(Numbering& run, int hzIndex) {
    CodeTables& tables = run.tables;
    int& used = run.repeatCount;
    if (used >= 2 * hzMapSlots(run.mabrel) - 2 || used >= kMaxRepeatSlots) {
        return report(kRepeatOverflow);
    }
    const uint16_t mapped = slotAt(tables.hzMap, hzIndex);
    const uint16_t entry = static_cast<uint16_t>(run.entry);
    if ((mapped & kReferenceBit) == 0) {
        setSlot(tables.repeatBlocks, used, kReferenceBit | mapped);
        setSlot(tables.repeatBlocks, used + 1, entry);
        setSlot(tables.hzMap, hzIndex, static_cast<uint16_t>(kReferenceBit + used));
        used += 2;
        return 0;
    }
    int last = mapped & kEntryMask;
    while ((slotAt(tables.repeatBlocks, last) & kReferenceBit) != 0) ++last;
    for (int y = run.minHz; y <= run.maxHz; ++y) {
        const uint16_t other = slotAt(tables.hzMap, y);
        if (y != hzIndex && (other & kReferenceBit) != 0 && (other & kEntryMask) > last) {
            setSlot(tables.hzMap, y, static_cast<uint16_t>(other + 1));
        }
    }
    setSlot(tables.repeatBlocks, last, kReferenceBit | slotAt(tables.repeatBlocks, last));
    uint8_t* blocks = tables.repeatBlocks.get();
    std::memmove(blocks + 2 * (last + 2), blocks + 2 * (last + 1), 2 * (used - last - 1));
    setSlot(tables.repeatBlocks, last + 1, entry);
    ++used;
    return 0;
}

// One coded character of the current entry: its HZTab slot and its map.
int placeHz(Numbering& run, const CodeEntry& entry, const uint8_t* hz) {
    const int hzIndex = charToIndex(run.mabrel.header.charSet, reinterpret_cast<const char*>(hz));
    setSlot(run.tables.hzTab, run.hzPosition++, static_cast<uint16_t>(hzIndex));
    if (hzIndex > run.maxHz) run.maxHz = hzIndex;
    if (hzIndex < run.minHz) run.minHz = hzIndex;

    const uint16_t entryNumber = static_cast<uint16_t>(run.entry);
    if (isEntryListed(run.mabrel, hzIndex, entryNumber)) {
        report(kDuplicateCode, entry.code, run.mabrel.source.lineBuffer);
        return 0;
    }
    if (slotAt(run.tables.hzMap, hzIndex) == 0) {
        setSlot(run.tables.hzMap, hzIndex, entryNumber);
        return 0;
    }
    return addFurtherEntry(run, hzIndex);
}

int numberEntry(Numbering& run, const CodeBuckets& buckets, const CodeEntry& entry) {
    storeCode(run, entry);
    if (run.mabrel.header.codingStyle != 2) return placeHz(run, entry, entry.hz);
    for (int node = entry.firstHz; node != 0; node = buckets.hzPool[node].next) {
        if (int rc = placeHz(run, entry, buckets.hzPool[node].hz)) return rc;
    }
    return 0;
}

int numberBuckets(Numbering& run, CodeBuckets& buckets) {
    for (int b = 0; b < bucketCount(run.mabrel); ++b) {
        setSlot(run.tables.index, b, static_cast<uint16_t>(run.entry));
        ZeroedArray<CodeEntry>& entries = buckets.buckets[b].entries;
        for (int j = 0; j < entries.size(); ++j) {
            if (j % 10 == 0) advanceSpinner();
            if (int rc = numberEntry(run, buckets, entries[j])) return rc;
            ++run.entry;
        }
        entries.release();
    }
    if (run.mabrel.header.codingStyle == 2) {
        setSlot(run.tables.hzInd, run.entry, static_cast<uint16_t>(run.hzPosition));
    }
    return 0;
}

int codeLengthOf(const CMabrel& mabrel, int entry) {
    const ImeHeader& header = mabrel.header;
    WorkBuffer packed{};
    std::memcpy(packed.data(), mabrel.tables.bits.get() + entry * header.codeHeadBytes,
                header.codeHeadBytes);
    std::memcpy(packed.data() + header.codeHeadBytes,
                mabrel.tables.bitsRest.get() + entry * header.codeRestBytes, header.codeRestBytes);
    char code[kCodeFieldSize] = {};
    unpackCode(mabrel, packed.data(), code);
    return static_cast<int>(std::strlen(code));
}

// Style 1: the entry with the longest code of each character (the earliest
// of equally long ones) goes to the front of its block and gets the
// primary flag.
void markPrimaryEntries(CMabrel& mabrel, int minHz, int maxHz) {
    CodeTables& tables = mabrel.tables;
    for (int x = minHz; x <= maxHz; ++x) {
        const uint16_t mapped = slotAt(tables.hzMap, x);
        int primary = mapped;
        if ((mapped & kReferenceBit) != 0) {
            const int first = mapped & kEntryMask;
            int kept = first;
            int longest = 0;
            for (int slot = first;; ++slot) {
                const uint16_t value = slotAt(tables.repeatBlocks, slot);
                const int length = codeLengthOf(mabrel, value & kEntryMask);
                if (length > longest) {
                    longest = length;
                    kept = slot;
                }
                if ((value & kReferenceBit) == 0) break;
            }
            const uint16_t firstValue = slotAt(tables.repeatBlocks, first);
            const uint16_t keptValue = slotAt(tables.repeatBlocks, kept);
            setSlot(tables.repeatBlocks, first,
                    (firstValue & kReferenceBit) | (keptValue & kEntryMask));
            setSlot(tables.repeatBlocks, kept,
                    (keptValue & kReferenceBit) | (firstValue & kEntryMask));
            primary = keptValue & kEntryMask;
        }
        if (primary != 0) tables.bits[primary * mabrel.header.codeHeadBytes] |= 0x80;
    }
}

}  // namespace

bool isEntryListed(const CMabrel& mabrel, int hzIndex, uint16_t entry) {
    const CodeTables& tables = mabrel.tables;
    const uint16_t mapped = slotAt(tables.hzMap, hzIndex);
    if (mapped == 0) return false;
    if ((mapped & kReferenceBit) == 0) return mapped == entry;
    for (int slot = mapped & kEntryMask;; ++slot) {
        const uint16_t value = slotAt(tables.repeatBlocks, slot);
        if ((value & kEntryMask) == entry) return true;
        if ((value & kReferenceBit) == 0) return false;
    }
}

void dumpTable(const char*, const uint8_t*, uint32_t) {}

int buildCodeTables(CMabrel& mabrel, CodeBuckets& buckets) {
    const int entries = buckets.entryCount;
    const int pairs = buckets.pairCount;
    if (!allocateTables(mabrel, entries, pairs)) return 1;

    Numbering run{mabrel, mabrel.tables, hzMapSlots(mabrel)};
    const int rc = numberBuckets(run, buckets);
    buckets.buckets.clear();
    buckets.hzPool.release();
    if (rc != 0) return rc;

    ImeHeader& header = mabrel.header;
    if (run.maxHz < run.minHz) return report(kNoCoding, keyName(kKeyText));
    header.minHZIndex = static_cast<uint16_t>(run.minHz);
    header.maxHZIndex = static_cast<uint16_t>(run.maxHz);
    header.repeatCount = static_cast<uint16_t>(run.repeatCount);
    if (header.codingStyle != 2) markPrimaryEntries(mabrel, run.minHz, run.maxHz);

    CodeTables& tables = mabrel.tables;
    tables.indexSize = static_cast<uint32_t>(bucketCount(mabrel) * 2);
    tables.bitsSize = static_cast<uint32_t>((entries + 1) * header.codeHeadBytes);
    tables.hzTabSize = static_cast<uint32_t>((pairs + 1) * 2);
    dumpTable("zIndex.DAT", tables.index.get(), tables.indexSize);
    dumpTable("zBits.DAT", tables.bits.get(), tables.bitsSize);
    if (header.codingStyle == 2) {
        tables.hzIndSize = static_cast<uint32_t>((entries + 2) * 2);
        dumpTable("zHZInd.DAT", tables.hzInd.get(), tables.hzIndSize);
    } else {
        tables.bitsRestSize = static_cast<uint32_t>((entries + 1) * header.codeRestBytes);
        dumpTable("zBitsRest.DAT", tables.bitsRest.get(), tables.bitsRestSize);
    }
    dumpTable("zHZTab.DAT", tables.hzTab.get(), tables.hzTabSize);

    clearSpinner();
    return 0;
}
