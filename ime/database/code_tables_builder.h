// Numbering of the collected code entries and the seven code tables built
// from them (their layout in code_tables_resource.h). Entries are numbered
// from 1 in bucket order.
#pragma once

#include <cstdint>

#include "ime/database/code_buckets.h"
#include "ime/database/code_table_capacity.h"
#include "ime/database/code_tables_resource.h"

// Numbers the entries of the buckets (releasing them) and fills the tables.
// Returns 0, 903 on a repeat block overflow, or 906 when nothing was coded.
int buildCodeTables(const ImeHeader& header, CodeBuckets& buckets, CodeTables& tables);
