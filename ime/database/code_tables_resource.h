// The seven tables built from the code table, as the database holds them
// (every slot a big-endian 16-bit number; n = usedCodeCount, B = n x (n + 1)
// + 1 buckets, E entries, T = hzTotal coded characters, H = index count + 1):
//
//   type  table         body
//   RT31  Index         B slots: the first entry number of each bucket; an
//                       empty bucket holds the next number, the last slot E + 1
//   RT41  Bits          E + 1 records of codeHeadBytes: record 0 zero, record i
//                       the code of entry i (style 1: packed head, top bit the
//                       primary flag; style 2: the code text, zero-padded)
//   RT42  BitsRest      style 1: E + 1 records of codeRestBytes, the rest of the
//                       packed codes, and a zero byte when that size is odd
//   RT32  HZInd         style 2: E + 2 slots: 0, the HZTab position of the first
//                       character of each entry, T + 1
//   RT33  HZTab         T + 1 slots: 0, then the character index of every coded
//                       character in entry order
//   RT51  HZMap         the slots minHZIndex to maxHZIndex + 1 of the map by
//                       character index: 0 no code, 1..0x7FFF the one entry,
//                       0x8000 + s the block of entries at RepeatBlocks slot s;
//                       the last slot is 0
//   RT52  RepeatBlocks  repeatCount slots and a zero slot: a block lists the
//                       entries of one character, each slot but the last with
//                       the top bit set
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ime/database/ime_header.h"

inline constexpr uint16_t kReferenceBit = 0x8000;
inline constexpr uint16_t kEntryMask = 0x7FFF;

struct CodeTables {
    std::vector<uint16_t> index;         // B slots
    std::vector<uint8_t> bits;           // E + 1 records of codeHeadBytes
    std::vector<uint8_t> bitsRest;       // style 1: E + 1 records of codeRestBytes
    std::vector<uint16_t> hzInd;         // style 2: E + 2 slots
    std::vector<uint16_t> hzTab;         // T + 1 slots
    std::vector<uint16_t> hzMap;         // H slots, by character index
    std::vector<uint16_t> repeatBlocks;  // the repeatCount slots in use
    uint16_t minHZIndex = 0;             // the HZMap slots the database keeps
    uint16_t maxHZIndex = 0;
    bool operator==(const CodeTables&) const = default;
};

// The number of entries: the last Index slot minus one.
int entryCount(const CodeTables& tables);
// T: the coded characters, hzTotal.
uint32_t codedCharacterCount(const CodeTables& tables);

// True when HZMap slot `hzIndex` lists entry `entry`, alone or in its block.
bool isEntryListed(const CodeTables& tables, int hzIndex, uint16_t entry);

void encodeSlots(const std::vector<uint16_t>& slots, std::vector<uint8_t>& body);
void encodeBitsRest(const CodeTables& tables, std::vector<uint8_t>& body);
void encodeHzMap(const CodeTables& tables, std::vector<uint8_t>& body);
void encodeRepeatBlocks(const CodeTables& tables, std::vector<uint8_t>& body);

// The bodies of the seven resources as found in a database; empty when absent.
struct CodeTableBodies {
    std::span<const uint8_t> index, bits, bitsRest, hzInd, hzTab, hzMap, repeatBlocks;
};

// Reads the tables back, with the header's minHZIndex and maxHZIndex. False unless every body has
// the size the header and the Index imply, the slots are in their ranges, every reference points
// into its table and the map lists every entry under each of its characters.
bool decodeCodeTables(const ImeHeader& header, const CodeTableBodies& bodies, CodeTables& tables);
