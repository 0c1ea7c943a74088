#include "ime/database/code_tables_builder.h"

#include <algorithm>
#include <cstring>

#include "foundation/char_sets.h"
#include "ime/database/bit_packing.h"
#include "ime/messages.h"

namespace {

// The entries of the characters that have more than one, gathered while
// the entries are numbered and laid out as repeat blocks at the end: one
// block per character, in the order the characters gained their second
// entry, each holding the character's entries in the order they came.
struct FurtherEntries {
    std::vector<uint16_t> entry;              // one per slot
    std::vector<int> next;                    // the character's next slot, or -1
    std::vector<int> lastSlot;                // by character index
    std::vector<std::pair<int, int>> blocks;  // character index and first slot
};

// The running state of the numbering.
struct Numbering {
    const ImeHeader& header;
    CodeTables& tables;
    const CodeAlphabet& alphabet;
    int minHz;
    int repeatLimit;  // the repeat slots the map's references reach
    int maxHz = 0;
    int entry = 1;       // i: the next entry number
    int hzPosition = 1;  // p: the next HZTab position
    FurtherEntries further{};
    std::vector<uint8_t> codeLength{};  // style 1: by entry
};

void sizeTables(const ImeHeader& header, CodeTables& tables, int entries, int pairs) {
    const std::size_t records = static_cast<std::size_t>(entries) + 1;
    tables = CodeTables{};
    tables.hzMap.assign(static_cast<std::size_t>(hzMapSlots(header.charSet)), 0);
    tables.index.assign(static_cast<std::size_t>(bucketCount(header.usedCodeCount)), 0);
    tables.hzTab.assign(static_cast<std::size_t>(pairs) + 1, 0);
    tables.bits.assign(records * header.codeHeadBytes, 0);
    if (header.codingStyle == 2) {
        tables.hzInd.assign(records + 1, 0);
    } else {
        tables.bitsRest.assign(records * header.codeRestBytes, 0);
    }
}

// Bits (and BitsRest) record of the current entry.
void storeCode(Numbering& run, const char* text) {
    const std::string_view code(text);
    const ImeHeader& header = run.header;
    uint8_t* head = run.tables.bits.data() + run.entry * header.codeHeadBytes;
    if (header.codingStyle == 2) {
        std::memcpy(head, code.data(), std::min<std::size_t>(code.size(), header.codeHeadBytes));
        run.tables.hzInd[run.entry] = static_cast<uint16_t>(run.hzPosition);
        return;
    }
    run.codeLength[run.entry] = static_cast<uint8_t>(code.size());
    packCodeInto(header, run.alphabet, code.data(), head,
                 run.tables.bitsRest.data() + run.entry * header.codeRestBytes);
}

int addSlot(FurtherEntries& further, uint16_t entry) {
    further.entry.push_back(entry);
    further.next.push_back(-1);
    return static_cast<int>(further.entry.size()) - 1;
}

// Character `hzIndex` gains the current entry beside the ones it has: its
// block is opened with both, or grows by one slot. The blocks fill
// repeatCount slots; a reference 0x8000 + R must stay below the format's
// limits.
int addFurtherEntry(Numbering& run, int hzIndex) {
    FurtherEntries& further = run.further;
    const int used = static_cast<int>(further.entry.size());
    if (used >= run.repeatLimit) return report(kRepeatOverflow);
    uint16_t& mapped = run.tables.hzMap[hzIndex];
    const auto entry = static_cast<uint16_t>(run.entry);
    if ((mapped & kReferenceBit) == 0) {
        const int first = addSlot(further, mapped);
        further.blocks.emplace_back(hzIndex, first);
        further.next[first] = addSlot(further, entry);
        further.lastSlot[hzIndex] = further.next[first];
        mapped = kReferenceBit;
        return 0;
    }
    const int slot = addSlot(further, entry);
    further.next[further.lastSlot[hzIndex]] = slot;
    further.lastSlot[hzIndex] = slot;
    return 0;
}

// Lays the blocks out one after another and points each character's map
// slot at its block; every slot but a block's last carries the reference
// bit.
void layOutRepeatBlocks(Numbering& run) {
    const FurtherEntries& further = run.further;
    std::vector<uint16_t>& slots = run.tables.repeatBlocks;
    slots.clear();
    slots.reserve(further.entry.size());
    for (const auto& [hzIndex, first] : further.blocks) {
        run.tables.hzMap[hzIndex] = static_cast<uint16_t>(kReferenceBit + slots.size());
        for (int slot = first; slot >= 0; slot = further.next[slot]) {
            const uint16_t more = further.next[slot] >= 0 ? kReferenceBit : 0;
            slots.push_back(static_cast<uint16_t>(further.entry[slot] | more));
        }
    }
}

// One coded character of the current entry: its HZTab slot and its map.
int placeHz(Numbering& run, DoubleByteCharacter hz) {
    const int hzIndex = charToIndex(run.header.charSet, hz.bytes().data());
    run.tables.hzTab[run.hzPosition++] = static_cast<uint16_t>(hzIndex);
    run.maxHz = std::max(run.maxHz, hzIndex);
    run.minHz = std::min(run.minHz, hzIndex);
    if (run.tables.hzMap[hzIndex] == 0) {
        run.tables.hzMap[hzIndex] = static_cast<uint16_t>(run.entry);
        return 0;
    }
    return addFurtherEntry(run, hzIndex);
}

// The entry of the pairs from `at` of bucket `bucket`; `at` moves past them.
int numberEntry(Numbering& run, const CodeBuckets& buckets, std::size_t bucket, uint32_t& at) {
    storeCode(run, buckets.codes->text(buckets.pairs[at].code));
    const uint32_t end = buckets.bucketStart[bucket + 1];
    do {
        if (int rc = placeHz(run, buckets.pairs[at].hz)) return rc;
        ++at;
    } while (at < end && !buckets.startsEntry(run.header.codingStyle, bucket, at));
    return 0;
}

int numberBuckets(Numbering& run, const CodeBuckets& buckets) {
    for (int b = 0; b < bucketCount(run.header.usedCodeCount); ++b) {
        run.tables.index[b] = static_cast<uint16_t>(run.entry);
        const auto bucket = static_cast<std::size_t>(b);
        uint32_t at = buckets.bucketStart[bucket];
        for (std::size_t j = 0; at < buckets.bucketStart[bucket + 1]; ++j) {
            if (j % 10 == 0) advanceSpinner();
            if (int rc = numberEntry(run, buckets, bucket, at)) return rc;
            ++run.entry;
        }
    }
    if (run.header.codingStyle == 2) {
        run.tables.hzInd[run.entry] = static_cast<uint16_t>(run.hzPosition);
    }
    layOutRepeatBlocks(run);
    return 0;
}

// Style 1: the primary entry of each character goes to the front of its
// block and gets the primary flag.
void markPrimaryEntries(const ImeHeader& header, CodeTables& tables,
                        const std::vector<uint8_t>& codeLength) {
    std::vector<uint16_t>& blocks = tables.repeatBlocks;
    for (int x = tables.minHZIndex; x <= tables.maxHZIndex; ++x) {
        const uint16_t mapped = tables.hzMap[x];
        int primary = mapped;
        if ((mapped & kReferenceBit) != 0) {
            const int first = mapped & kEntryMask;
            int last = first;
            while ((blocks[last] & kReferenceBit) != 0) ++last;
            const int kept =
                first + static_cast<int>(primaryEntryOf(
                            static_cast<std::size_t>(last - first + 1), [&](std::size_t k) {
                                return codeLength[blocks[first + k] & kEntryMask];
                            }));
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

int buildCodeTables(const ImeHeader& header, CodeBuckets& buckets, CodeTables& tables) {
    sizeTables(header, tables, buckets.entryCount, buckets.pairCount);

    const int mapSlots = hzMapSlots(header.charSet);
    Numbering run{header, tables, buckets.alphabet, mapSlots, repeatSlotLimit(mapSlots)};
    // A slot of a block is an entry of a character with more than one: room
    // for every pair is taken at once, touched only as the blocks fill.
    const auto pairs = static_cast<std::size_t>(buckets.pairCount);
    run.further.entry.reserve(pairs);
    run.further.next.reserve(pairs);
    run.further.blocks.reserve(pairs / 2);
    run.further.lastSlot.assign(static_cast<std::size_t>(mapSlots), -1);
    if (header.codingStyle != 2) run.codeLength.assign(buckets.entryCount + std::size_t{1}, 0);
    const int rc = numberBuckets(run, buckets);
    std::vector<FiledPair>().swap(buckets.pairs);
    if (rc != 0) return rc;

    if (run.maxHz < run.minHz) return report(kNoCoding, keyName(kKeyText));
    tables.minHZIndex = static_cast<uint16_t>(run.minHz);
    tables.maxHZIndex = static_cast<uint16_t>(run.maxHz);
    if (header.codingStyle != 2) markPrimaryEntries(header, tables, run.codeLength);

    clearSpinner();
    return 0;
}
