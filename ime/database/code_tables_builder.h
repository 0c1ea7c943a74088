// Numbering of the collected code entries and the seven code tables built
// from them (their layout in code_tables_resource.h). Entries are numbered
// from 1 in bucket order.
#pragma once

#include <cstdint>

#include "ime/database/code_buckets.h"
#include "ime/database/code_tables_resource.h"

// The formats hold entry numbers below 0x8000 and 16-bit HZTab positions.
inline constexpr int kMaxCodeEntries = 0x7FFF;
inline constexpr int kMaxCodedCharacters = 0xFFFE;

// The repeat-block slots a database can hold: min(2H - 2, 32,766), H being
// the HZMap slots (a block reference 0x8000 + R must stay within 16 bits).
int repeatSlotLimit(const ImeHeader& header);

// Numbers the entries of the buckets (releasing them) and fills the tables.
// Returns 0, 903 on a repeat block overflow, or 906 when nothing was coded.
int buildCodeTables(const ImeHeader& header, CodeBuckets& buckets, CodeTables& tables);
