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
    struct Block {
        int hzIndex;  // the character's
        int first;    // its first slot
        int last;     // its last slot so far
    };
    std::vector<uint16_t> entry;  // one per slot
    std::vector<int> next;        // the character's next slot, or -1
    std::vector<Block> blocks;
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

int addSlot(FurtherEntries& further, uint16_t entry) {
    further.entry.push_back(entry);
    further.next.push_back(-1);
    return static_cast<int>(further.entry.size()) - 1;
}

// Character `hzIndex` gains the current entry beside the ones it has: its
// block is opened with both, or grows by one slot. While the entries are
// numbered, the map slot of a character with a block holds the reference
// bit and the block's number. The blocks fill repeatCount slots; a
// reference 0x8000 + R must stay below the format's limits.
int addFurtherEntry(Numbering& run, int hzIndex) {
    FurtherEntries& further = run.further;
    const int used = static_cast<int>(further.entry.size());
    if (used >= run.repeatLimit) return report(kRepeatOverflow);
    uint16_t& mapped = run.tables.hzMap[hzIndex];
    const auto entry = static_cast<uint16_t>(run.entry);
    if ((mapped & kReferenceBit) == 0) {
        const int first = addSlot(further, mapped);
        const int second = addSlot(further, entry);
        further.next[first] = second;
        mapped = static_cast<uint16_t>(kReferenceBit | further.blocks.size());
        further.blocks.push_back({hzIndex, first, second});
        return 0;
    }
    FurtherEntries::Block& block = further.blocks[mapped & kEntryMask];
    const int slot = addSlot(further, entry);
    further.next[block.last] = slot;
    block.last = slot;
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
    for (const FurtherEntries::Block& block : further.blocks) {
        run.tables.hzMap[block.hzIndex] = static_cast<uint16_t>(kReferenceBit + slots.size());
        for (int slot = block.first; slot >= 0; slot = further.next[slot]) {
            const uint16_t more = further.next[slot] >= 0 ? kReferenceBit : 0;
            slots.push_back(static_cast<uint16_t>(further.entry[slot] | more));
        }
    }
}

// Where the numbering writes, held apart from the vectors so that the
// stores of one entry do not make the others be read again, and how it
// packs the codes.
struct TableCursor {
    uint8_t* bits;
    uint8_t* bitsRest;
    uint16_t* hzInd;
    uint16_t* hzTab;
    uint16_t* hzMap;
    uint8_t* codeLength;
    CodePacker packer;
};

// Bits (and BitsRest) record of the current entry.
void storeCode(const Numbering& run, const TableCursor& to, const char* text) {
    const ImeHeader& header = run.header;
    const std::size_t length = std::strlen(text);
    const auto entry = static_cast<std::size_t>(run.entry);
    uint8_t* head = to.bits + entry * header.codeHeadBytes;
    if (header.codingStyle == 2) {
        std::memcpy(head, text, std::min<std::size_t>(length, header.codeHeadBytes));
        to.hzInd[entry] = static_cast<uint16_t>(run.hzPosition);
        return;
    }
    to.codeLength[entry] = static_cast<uint8_t>(length);
    to.packer.pack(text, head, to.bitsRest + entry * header.codeRestBytes);
}

// One coded character of the current entry: its HZTab slot and its map.
int placeHz(Numbering& run, const TableCursor& to, DoubleByteCharacter hz) {
    const int hzIndex = charToIndex(run.header.charSet, hz.bytes().data());
    to.hzTab[run.hzPosition++] = static_cast<uint16_t>(hzIndex);
    run.maxHz = std::max(run.maxHz, hzIndex);
    run.minHz = std::min(run.minHz, hzIndex);
    if (to.hzMap[hzIndex] == 0) {
        to.hzMap[hzIndex] = static_cast<uint16_t>(run.entry);
        return 0;
    }
    return addFurtherEntry(run, hzIndex);
}

int numberBuckets(Numbering& run, const CodeBuckets& buckets) {
    CodeTables& tables = run.tables;
    const TableCursor to{tables.bits.data(),
                         tables.bitsRest.data(),
                         tables.hzInd.data(),
                         tables.hzTab.data(),
                         tables.hzMap.data(),
                         run.codeLength.data(),
                         CodePacker(run.header, run.alphabet)};
    const int style = run.header.codingStyle;
    const FiledPair* const pairs = buckets.pairs.data();
    const int bucketTotal = bucketCount(run.header.usedCodeCount);
    for (int b = 0; b < bucketTotal; ++b) {
        tables.index[b] = static_cast<uint16_t>(run.entry);
        const auto bucket = static_cast<std::size_t>(b);
        uint32_t at = buckets.bucketStart[bucket];
        const uint32_t end = buckets.bucketStart[bucket + 1];
        for (std::size_t j = 0; at < end; ++j, ++run.entry) {
            if (j % 10 == 0) advanceSpinner();
            // The entry of the pairs from `at`, which moves past them.
            storeCode(run, to, buckets.codes->text(pairs[at].code));
            do {
                if (int rc = placeHz(run, to, pairs[at].hz)) return rc;
                ++at;
            } while (at < end && !buckets.startsEntry(style, bucket, at));
        }
    }
    if (style == 2) tables.hzInd[run.entry] = static_cast<uint16_t>(run.hzPosition);
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
