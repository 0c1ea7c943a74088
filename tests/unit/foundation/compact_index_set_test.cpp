#include "foundation/desktop_tables/compact_index_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

// Numbers stand for values with many repeats; the set, grown from nothing
// through many doublings, must find each value's first number, with the
// numbers' bound given (hash bits kept beside them) or not, and give back
// the first numbers in ascending order, with the room asked for.
TEST(CompactIndexSetTest, FindsTheFirstOfEachValueThroughGrowth) {
    for (const uint32_t distinct : {1u, 7u, 5000u})
        for (const std::size_t indexCount : {std::size_t{0}, std::size_t{40000}}) {
            std::mt19937 generator(distinct);
            std::vector<uint32_t> values(40000);
            for (uint32_t& value : values) value = generator() % distinct;
            // A poor hash on purpose: collisions must be told apart by the test.
            const auto hashOf = [&](uint32_t number) { return uint64_t{values[number] % 97}; };
            CompactIndexSet set(0, indexCount);
            std::vector<uint32_t> firstOf(distinct, CompactIndexSet::kNone);
            for (uint32_t number = 0; number < values.size(); ++number) {
                const uint32_t found =
                    set.insert(number, hashOf(number), hashOf,
                               [&](uint32_t other) { return values[other] == values[number]; });
                EXPECT_EQ(found, firstOf[values[number]]) << number;
                if (found == CompactIndexSet::kNone) firstOf[values[number]] = number;
            }
            EXPECT_EQ(set.size(), static_cast<std::size_t>(std::count_if(
                                      firstOf.begin(), firstOf.end(),
                                      [](uint32_t n) { return n != CompactIndexSet::kNone; })));
            std::erase(firstOf, CompactIndexSet::kNone);
            std::sort(firstOf.begin(), firstOf.end());
            const std::vector<uint32_t> taken = set.takeAscending(2 * firstOf.size());
            EXPECT_EQ(taken, firstOf);
            EXPECT_GE(taken.capacity(), 2 * firstOf.size());
        }
}
