#include "ime/database/code_tables_resource.h"

#include "foundation/big_endian.h"
#include "foundation/char_sets.h"

namespace {

bool takeSlots(std::span<const uint8_t> body, std::size_t count, std::vector<uint16_t>& slots) {
    if (body.size() != 2 * count) return false;
    slots.resize(count);
    for (std::size_t i = 0; i < count; ++i) slots[i] = getU16BE(body.data() + 2 * i);
    return true;
}

bool ascending(const std::vector<uint16_t>& slots, std::size_t from) {
    for (std::size_t i = from + 1; i < slots.size(); ++i) {
        if (slots[i] < slots[i - 1]) return false;
    }
    return true;
}

// The Index, Bits and BitsRest or HZInd tables; sets `entries`.
bool takeEntryTables(const ImeHeader& h, const CodeTableBodies& bodies, CodeTables& t,
                     int& entries) {
    const std::size_t n = h.usedCodeCount;
    if (n == 0 || !takeSlots(bodies.index, n * (n + 1) + 1, t.index)) return false;
    if (t.index.front() != 1 || !ascending(t.index, 0)) return false;
    entries = t.index.back() - 1;
    if (entries < 1 || entries > kEntryMask) return false;
    const std::size_t records = static_cast<std::size_t>(entries) + 1;
    if (bodies.bits.size() != records * h.codeHeadBytes) return false;
    t.bits.assign(bodies.bits.begin(), bodies.bits.end());
    if (h.codingStyle == 1) {
        const std::size_t restSize = records * h.codeRestBytes;
        if (bodies.bitsRest.size() != restSize + restSize % 2) return false;
        t.bitsRest.assign(bodies.bitsRest.begin(), bodies.bitsRest.begin() + restSize);
        return h.hzTotal == static_cast<uint32_t>(entries);
    }
    if (!takeSlots(bodies.hzInd, records + 1, t.hzInd) || !ascending(t.hzInd, 1)) return false;
    if (t.hzInd[0] != 0 || t.hzInd[1] != 1 || t.hzInd.back() != h.hzTotal + 1) return false;
    for (std::size_t i = 1; i + 1 < t.hzInd.size(); ++i) {
        if (t.hzInd[i] == t.hzInd[i + 1]) return false;  // every entry has a character
    }
    return true;
}

// A map slot: 0, an entry, or a reference to a block that ends inside the table.
bool validMapSlot(uint16_t slot, int entries, const std::vector<uint16_t>& blocks) {
    if ((slot & kReferenceBit) == 0) return slot <= entries;
    for (std::size_t s = slot & kEntryMask; s < blocks.size(); ++s) {
        const int entry = blocks[s] & kEntryMask;
        if (entry == 0 || entry > entries) return false;
        if ((blocks[s] & kReferenceBit) == 0) return true;
    }
    return false;
}

bool takeCharacterTables(const ImeHeader& h, const CodeTableBodies& bodies, int entries,
                         CodeTables& t) {
    const int first = h.minHZIndex;
    const int last = h.maxHZIndex;
    const int count = indexCount(h.charSet);
    if (first < 256 || first > last || last >= count) return false;
    if (h.hzTotal < 1 || h.hzTotal > 0xFFFE) return false;
    if (!takeSlots(bodies.hzTab, h.hzTotal + std::size_t{1}, t.hzTab)) return false;
    for (std::size_t p = 1; p < t.hzTab.size(); ++p) {
        if (t.hzTab[p] < first || t.hzTab[p] > last) return false;
    }
    if (h.repeatCount > 0) {
        if (!takeSlots(bodies.repeatBlocks, h.repeatCount + std::size_t{1}, t.repeatBlocks)) {
            return false;
        }
        t.repeatBlocks.pop_back();
    } else if (!bodies.repeatBlocks.empty()) {
        return false;
    }
    std::vector<uint16_t> shown;
    if (!takeSlots(bodies.hzMap, static_cast<std::size_t>(last - first) + 2, shown)) return false;
    if (shown.back() != 0) return false;
    t.hzMap.assign(static_cast<std::size_t>(count) + 1, 0);
    for (int x = first; x <= last; ++x) {
        const uint16_t slot = shown[static_cast<std::size_t>(x - first)];
        if (!validMapSlot(slot, entries, t.repeatBlocks)) return false;
        t.hzMap[static_cast<std::size_t>(x)] = slot;
    }
    return true;
}

// The characters of every entry (HZTab positions from its HZInd slot, or the
// entry's own position in style 1) list that entry in the map.
bool mapListsEveryEntry(const ImeHeader& h, int entries, const CodeTables& t) {
    for (int entry = 1; entry <= entries; ++entry) {
        const int first = h.codingStyle == 2 ? t.hzInd[entry] : entry;
        const int end = h.codingStyle == 2 ? t.hzInd[entry + 1] : entry + 1;
        for (int p = first; p < end; ++p) {
            if (!isEntryListed(t, t.hzTab[p], static_cast<uint16_t>(entry))) return false;
        }
    }
    return true;
}

}  // namespace

bool isEntryListed(const CodeTables& tables, int hzIndex, uint16_t entry) {
    const uint16_t mapped = tables.hzMap[static_cast<std::size_t>(hzIndex)];
    if (mapped == 0) return false;
    if ((mapped & kReferenceBit) == 0) return mapped == entry;
    for (std::size_t slot = mapped & kEntryMask; slot < tables.repeatBlocks.size(); ++slot) {
        const uint16_t value = tables.repeatBlocks[slot];
        if ((value & kEntryMask) == entry) return true;
        if ((value & kReferenceBit) == 0) return false;
    }
    return false;
}

int entryCount(const CodeTables& tables) {
    return tables.index.empty() ? 0 : tables.index.back() - 1;
}

uint32_t codedCharacterCount(const CodeTables& tables) {
    return tables.hzTab.empty() ? 0 : static_cast<uint32_t>(tables.hzTab.size() - 1);
}

namespace {

// The slots from `first` to before `end`, big-endian, after what the body holds.
void putSlots(const uint16_t* first, const uint16_t* end, std::vector<uint8_t>& body) {
    std::size_t at = body.size();
    body.resize(at + 2 * static_cast<std::size_t>(end - first));
    for (; first != end; ++first, at += 2) putU16BE(body.data() + at, *first);
}

}  // namespace

void encodeSlots(const std::vector<uint16_t>& slots, std::vector<uint8_t>& body) {
    putSlots(slots.data(), slots.data() + slots.size(), body);
}

void encodeBitsRest(const CodeTables& tables, std::vector<uint8_t>& body) {
    const std::size_t size = tables.bitsRest.size();
    body.reserve(body.size() + size + size % 2);
    body.insert(body.end(), tables.bitsRest.begin(), tables.bitsRest.end());
    if (size % 2 != 0) body.push_back(0);
}

void encodeHzMap(const CodeTables& tables, std::vector<uint8_t>& body) {
    const uint16_t* first = tables.hzMap.data() + tables.minHZIndex;
    putSlots(first, tables.hzMap.data() + tables.maxHZIndex + 2, body);
}

void encodeRepeatBlocks(const CodeTables& tables, std::vector<uint8_t>& body) {
    body.reserve(body.size() + 2 * tables.repeatBlocks.size() + 2);
    encodeSlots(tables.repeatBlocks, body);
    appendU16BE(body, 0);
}

bool decodeCodeTables(const ImeHeader& header, const CodeTableBodies& bodies, CodeTables& tables) {
    tables = CodeTables{};
    if (header.codingStyle != 1 && header.codingStyle != 2) return false;
    int entries = 0;
    tables.minHZIndex = header.minHZIndex;
    tables.maxHZIndex = header.maxHZIndex;
    return takeEntryTables(header, bodies, tables, entries) &&
           takeCharacterTables(header, bodies, entries, tables) &&
           mapListsEveryEntry(header, entries, tables);
}
