#include "foundation/char_sets.h"

#include "foundation/text_helpers.h"

const CharSetEntry kCharSetTable[kCharSetCount] = {
    {kChineseGB, "ChineseGB"},     {kChineseGBK, "ChineseGBK"},     {kChineseBIG5, "ChineseBIG5"},
    {kJapaneseJIS, "JapaneseJIS"}, {kJapaneseSJIS, "JapaneseSJIS"}, {kKoreanKSC, "KoreanKSC"},
};

namespace {

bool isTrailByte(CharSet charSet, uint8_t b) {
    switch (charSet) {
        case kChineseGB:
        case kJapaneseJIS:
        case kKoreanKSC:
            return b >= 0xA1 && b <= 0xFE;
        case kChineseGBK:
            return b >= 0x40 && b <= 0xFE && b != 0x7F;
        case kChineseBIG5:
            return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE);
        case kJapaneseSJIS:
            return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
        default:
            return false;
    }
}

}  // namespace

CharSet charSetFromName(const char* name) {
    for (const CharSetEntry& entry : kCharSetTable) {
        if (equalsIgnoringCase(name, entry.name)) return entry.id;
    }
    return 0;
}

const char* charSetName(CharSet charSet) {
    for (const CharSetEntry& entry : kCharSetTable) {
        if (entry.id == charSet) return entry.name;
    }
    return nullptr;
}

bool isLeadByte(CharSet charSet, uint8_t b) {
    switch (charSet) {
        case kChineseGB:
        case kJapaneseJIS:
        case kKoreanKSC:
            return b >= 0xA1 && b <= 0xFE;
        case kChineseGBK:
        case kChineseBIG5:
            return b >= 0x81 && b <= 0xFE;
        case kJapaneseSJIS:
            return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        default:
            return false;
    }
}

const char* nextChar(CharSet charSet, const char* text) {
    if (*text == '\0') return text;
    if (!isLeadByte(charSet, static_cast<uint8_t>(text[0]))) return text + 1;
    if (text[1] == '\0') return text + 1;
    return isTrailByte(charSet, static_cast<uint8_t>(text[1])) ? text + 2 : text + 1;
}

bool startsWithDoubleByteChar(CharSet charSet, const char* text, uint16_t available) {
    return available >= 2 && nextChar(charSet, text) == text + 2;
}

namespace {

// One area of the index space: the characters whose lead byte lies in
// [leadFirst, leadLast] and whose trail byte lies in one of the trail ranges,
// numbered row by row from `base` (one row per lead byte, one column per
// trail byte of the ranges, in order).
struct TrailRange {
    uint8_t first;
    uint8_t last;
};

struct IndexRegion {
    uint8_t leadFirst;
    uint8_t leadLast;
    TrailRange trails[2];
    int trailRangeCount;
    int base;

    int columns() const {
        int count = 0;
        for (int r = 0; r < trailRangeCount; ++r) count += trails[r].last - trails[r].first + 1;
        return count;
    }
    int size() const { return (leadLast - leadFirst + 1) * columns(); }
    bool holdsLead(int lead) const { return lead >= leadFirst && lead <= leadLast; }
    bool holdsTrail(int trail) const {
        return trail >= trails[0].first && trail <= trails[trailRangeCount - 1].last;
    }
    int column(int trail) const {
        if (trailRangeCount == 1 || trail < trails[1].first) return trail - trails[0].first;
        return trails[0].last - trails[0].first + 1 + trail - trails[1].first;
    }
    int trailAt(int column) const {
        const int firstColumns = trails[0].last - trails[0].first + 1;
        if (column < firstColumns) return trails[0].first + column;
        return trails[1].first + column - firstColumns;
    }
};

struct CharSetRegions {
    CharSet charSet;
    int count;
    IndexRegion regions[3];
};

constexpr TrailRange kEucTrails = {0xA1, 0xFE};
constexpr IndexRegion kEucRegion = {0xA1, 0xFE, {kEucTrails}, 1, 256};
constexpr int kEucColumns = kEucTrails.last - kEucTrails.first + 1;

// The index space of every set, region by region in index order.
constexpr CharSetRegions kRegionTable[] = {
    {kChineseGB, 1, {kEucRegion}},
    {kJapaneseJIS, 1, {kEucRegion}},
    {kKoreanKSC, 1, {kEucRegion}},
    {kChineseGBK,
     3,
     {kEucRegion, {0xA1, 0xFE, {{0x40, 0xA0}}, 1, 9092}, {0x81, 0xA0, {{0x40, 0xFE}}, 1, 18210}}},
    {kChineseBIG5,
     3,
     {{0xA1, 0xFE, {{0x40, 0x7E}, {0xA1, 0xFE}}, 2, 256},
      {0x8E, 0xA0, {{0x40, 0x7E}, {0xA1, 0xFE}}, 2, 15014},
      {0x81, 0x8D, {{0x40, 0x7E}, {0xA1, 0xFE}}, 2, 17997}}},
    {kJapaneseSJIS,
     2,
     {{0x81, 0x9F, {{0x40, 0x7E}, {0x80, 0xFC}}, 2, 256},
      {0xE0, 0xFC, {{0x40, 0x7E}, {0x80, 0xFC}}, 2, 6084}}},
};

const CharSetRegions* regionsOf(CharSet charSet) {
    for (const CharSetRegions& set : kRegionTable) {
        if (set.charSet == charSet) return &set;
    }
    return nullptr;
}

// The region of a lead and trail byte: the one that holds both, else the
// first that holds the lead.
const IndexRegion* regionOf(const CharSetRegions& set, int lead, int trail) {
    const IndexRegion* byLead = nullptr;
    for (int r = 0; r < set.count; ++r) {
        const IndexRegion& region = set.regions[r];
        if (!region.holdsLead(lead)) continue;
        if (region.holdsTrail(trail)) return &region;
        if (byLead == nullptr) byLead = &region;
    }
    return byLead;
}

}  // namespace

int charToIndex(CharSet charSet, const char* text) {
    const int lead = static_cast<uint8_t>(text[0]);
    if (!isLeadByte(charSet, static_cast<uint8_t>(lead))) return lead;
    const int trail = static_cast<uint8_t>(text[1]);
    // The sets of one region, every lead byte in it, by their arithmetic.
    if (charSet == kChineseGB || charSet == kJapaneseJIS || charSet == kKoreanKSC) {
        return kEucRegion.base + (lead - kEucRegion.leadFirst) * kEucColumns + trail -
               kEucTrails.first;
    }
    const CharSetRegions* set = regionsOf(charSet);
    const IndexRegion* region = set != nullptr ? regionOf(*set, lead, trail) : nullptr;
    if (region == nullptr) return 0;
    return region->base + (lead - region->leadFirst) * region->columns() + region->column(trail);
}

std::vector<IndexArea> indexAreas(CharSet charSet) {
    std::vector<IndexArea> areas;
    if (const CharSetRegions* set = regionsOf(charSet)) {
        for (int r = 0; r < set->count; ++r) {
            areas.push_back({set->regions[r].base, set->regions[r].size()});
        }
    }
    return areas;
}

int indexCount(CharSet charSet) {
    int count = 256;
    if (const CharSetRegions* set = regionsOf(charSet)) {
        for (int r = 0; r < set->count; ++r) count += set->regions[r].size();
    }
    return count;
}

int indexToChar(CharSet charSet, unsigned index, char* buffer, uint16_t size) {
    if (size == 0 || index >= 65536) return 0;
    if (index < 256) {
        buffer[0] = static_cast<char>(index);
        if (size > 1) buffer[1] = '\0';
        return 1;
    }
    if (size < 2) return 0;
    const CharSetRegions* set = regionsOf(charSet);
    const IndexRegion* region = nullptr;
    for (int r = 0; set != nullptr && r < set->count; ++r) {
        const IndexRegion& candidate = set->regions[r];
        const int offset = static_cast<int>(index) - candidate.base;
        if (offset >= 0 && offset < candidate.size()) region = &candidate;
    }
    if (region == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    const int offset = static_cast<int>(index) - region->base;
    buffer[0] = static_cast<char>(region->leadFirst + offset / region->columns());
    buffer[1] = static_cast<char>(region->trailAt(offset % region->columns()));
    if (size > 2) buffer[2] = '\0';
    return 2;
}

bool isCharacterIndex(CharSet charSet, unsigned index) {
    char text[3];
    return index >= 256 && indexToChar(charSet, index, text, sizeof text) == 2 &&
           startsWithDoubleByteChar(charSet, text, 2);
}

LeadTrailBytes::LeadTrailBytes(CharSet charSet) {
    for (int b = 1; b < 256; ++b) {
        lead_[b] = isLeadByte(charSet, static_cast<uint8_t>(b));
        trail_[b] = isTrailByte(charSet, static_cast<uint8_t>(b));
    }
}

DoubleByteTable::DoubleByteTable(CharSet charSet) : LeadTrailBytes(charSet), index_(256 * 256, 0) {
    for (int lead = 1; lead < 256; ++lead) {
        for (int trail = 1; trail < 256 && lead_[lead]; ++trail) {
            if (!trail_[trail]) continue;
            const auto character =
                DoubleByteCharacter::of(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
            index_[character.packed] =
                static_cast<uint16_t>(charToIndex(charSet, character.bytes().data()));
        }
    }
}

CharacterBytes::CharacterBytes(CharSet charSet) {
    const auto count = static_cast<unsigned>(indexCount(charSet));
    bytes_.assign(2 * std::size_t{count}, '\0');
    lengths_.assign(count, 0);
    for (unsigned index = 0; index < count; ++index) {
        char text[3] = {};
        indexToChar(charSet, index, text, sizeof text);
        const uint8_t length = text[0] == '\0' ? 0 : text[1] == '\0' ? 1 : 2;
        bytes_[2 * index] = text[0];
        bytes_[2 * index + 1] = text[1];
        lengths_[index] = length;
    }
}
