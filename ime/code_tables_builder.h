// Numbering of the collected code entries and the seven code tables built
// from them. Entries are numbered from 1 in bucket order; every 16-bit slot
// is big-endian.
//
//   Index        B slots (B = n x (n + 1) + 1): first entry number of each
//                bucket; an empty bucket holds the next number, the last
//                slot E + 1
//   Bits         E + 1 records of codeHeadBytes: record 0 zero, record i the
//                code of entry i (style 1: packed head, top bit = primary
//                flag; style 2: the code text, zero-padded)
//   BitsRest     style 1: E + 1 records of codeRestBytes, the packed rest
//   HZInd        style 2: E + 2 slots: 0, the HZTab position of the first
//                character of each entry, T + 1
//   HZTab        T + 1 slots: 0, then the character index of every coded
//                character in entry order
//   HZMap        H slots by character index: 0 no code, 1..0x7FFF the one
//                entry, 0x8000 + s the block of entries at RepeatBlocks slot s
//   RepeatBlocks 2 x H slots, R used: a block lists the entries of one
//                character, each slot but the last with the top bit set
#pragma once

#include <cstdint>

#include "ime/code_buckets.h"
#include "ime/mabrel_context.h"

// The formats hold entry numbers below 0x8000 and 16-bit HZTab positions.
inline constexpr int kMaxCodeEntries = 0x7FFF;
inline constexpr int kMaxCodedCharacters = 0xFFFE;

// Numbers the entries of the buckets (releasing them) and fills the tables,
// their sizes and minHZIndex, maxHZIndex and repeatCount. Returns 0, 903 on
// a repeat block overflow, 906 when nothing was coded, or 1 when an
// allocation failed.
int buildCodeTables(CMabrel& mabrel, CodeBuckets& buckets);

// True when HZMap slot `hzIndex` lists entry `entry`, alone or in its block.
bool isEntryListed(const CMabrel& mabrel, int hzIndex, uint16_t entry);

// Diagnostic dump hook for a finished table; writes nothing.
void dumpTable(const char* fileName, const uint8_t* table, uint32_t size);
