#include "foundation/desktop_tables/weight_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

struct WeightKind {
    const char* name;
    double (*draw)(std::mt19937&);
};

// Whole weights take the radix sort (or, for ranks, a count of each weight
// while the weights stay small), the others the comparing one; each must
// give what a stable sort by weight gives.
const WeightKind kKinds[] = {
    {"few whole weights, many ties", [](std::mt19937& g) { return double(g() % 4); }},
    {"whole up to 2^32 - 1", [](std::mt19937& g) { return double(g()); }},
    {"fractions", [](std::mt19937& g) { return (g() % 1000) / 7.0; }},
    {"whole but one beyond 2^32", [](std::mt19937& g) { return g() % 50 == 0 ? 5e9 : g() % 9; }},
};

TEST(WeightOrderTest, HeaviestFirstTiesInReadingOrder) {
    for (const WeightKind& kind : kKinds) {
        for (const std::size_t size : {std::size_t{1}, std::size_t{300}, std::size_t{20000}}) {
            std::mt19937 generator(static_cast<unsigned>(size));
            DesktopTable table;
            for (std::size_t i = 0; i < size; ++i) table.weights.push_back(kind.draw(generator));
            // Every third entry taken, as a filter before the sort leaves them.
            std::vector<uint32_t> numbers;
            for (uint32_t i = 0; i < size; i += 3) numbers.push_back(i);
            std::vector<uint32_t> expected = numbers;
            std::stable_sort(expected.begin(), expected.end(), [&](uint32_t a, uint32_t b) {
                return table.weights[a] > table.weights[b];
            });
            // The places in weight order, counted by weight where the weights are small.
            std::vector<uint32_t> byPlace(numbers.size());
            const std::vector<uint32_t> ranks = ranksByWeight(table, numbers);
            for (std::size_t i = 0; i < ranks.size(); ++i) byPlace[ranks[i]] = numbers[i];
            EXPECT_EQ(byPlace, expected) << kind.name << ", " << size << " entries, places";
            sortByWeight(table, numbers);
            EXPECT_EQ(numbers, expected) << kind.name << ", " << size << " entries";
        }
    }
}

}  // namespace
