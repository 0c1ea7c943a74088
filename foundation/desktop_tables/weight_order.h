// Putting what was kept of a table in weight order: heaviest first, ties in
// reading order.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/desktop_tables/desktop_table.h"

// Sorts `numbers`, entry numbers in rising (reading) order, by their
// entries' weights. Where every weight is a whole number below 2^32 (the
// counts of word lists) the sort is by radix over one 64-bit key per entry,
// else by comparing (weight, number) records; either way no comparison
// looks an entry up.
void sortByWeight(const DesktopTable& table, std::vector<uint32_t>& numbers);

// The place in weight order (sorted the same way) of each of `numbers`
// (entry numbers in rising order), by its place in `numbers`.
std::vector<uint32_t> ranksByWeight(const DesktopTable& table,
                                    const std::vector<uint32_t>& numbers);
