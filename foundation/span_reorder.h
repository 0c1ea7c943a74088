// Moving runs of a text's bytes among their own places: each group of runs
// (the characters of one code, the phrase lines of one first character)
// takes its places again in descending weight, runs of equal weight in their
// old order; every byte outside the runs stays where it was.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct WeightedSpan {
    std::size_t at = 0;
    std::size_t length = 0;
    long long weight = 0;
};

// Reorders `bytes`; the runs of different groups do not overlap. Returns how
// many groups changed their order.
int reorderSpans(const std::vector<std::vector<WeightedSpan>>& groups, std::string& bytes);
