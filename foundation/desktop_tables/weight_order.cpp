#include "foundation/desktop_tables/weight_order.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "foundation/huge_pages.h"

namespace {

constexpr double kLargestWhole = 4294967295.0;
constexpr int kDigitBits = 11;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;

bool wholeWeights(const DesktopTable& table, const std::vector<uint32_t>& numbers) {
    return std::all_of(numbers.begin(), numbers.end(), [&](uint32_t number) {
        const double weight = table.weights[number];
        return weight <= kLargestWhole && weight == std::floor(weight);
    });
}

// Least significant digit first, from bit `lowest` up: each pass is
// stable, so the keys end in order of those bits, and keys equal in them
// keep their order. A digit that is the same in every key moves nothing and
// is passed over.
void radixSort(std::vector<uint64_t>& keys, int lowest) {
    const int digits = (64 - lowest + kDigitBits - 1) / kDigitBits;
    const auto digitOf = [lowest](uint64_t key, int d) {
        return (key >> (lowest + d * kDigitBits)) & (kBuckets - 1);
    };
    std::vector<std::array<std::size_t, kBuckets>> counts(static_cast<std::size_t>(digits));
    for (const uint64_t key : keys) {
        for (int d = 0; d < digits; ++d) ++counts[d][digitOf(key, d)];
    }
    std::vector<uint64_t> moved;
    reserveHugePages(moved, keys.size());
    moved.resize(keys.size());
    for (int d = 0; d < digits; ++d) {
        std::array<std::size_t, kBuckets>& count = counts[d];
        if (std::find(count.begin(), count.end(), keys.size()) != count.end()) continue;
        std::size_t start = 0;
        for (std::size_t& bucket : count) start += std::exchange(bucket, start);
        for (const uint64_t key : keys) moved[count[digitOf(key, d)]++] = key;
        keys.swap(moved);
    }
}

}  // namespace

void sortByWeight(const DesktopTable& table, std::vector<uint32_t>& numbers) {
    if (table.weights.empty()) return;  // every weight 0: the order stands
    if (wholeWeights(table, numbers)) {
        // Heavier first: the weight's complement in the high half, the entry
        // number in the low half to keep ties in reading order.
        std::vector<uint64_t> keys;
        reserveHugePages(keys, numbers.size());
        for (const uint32_t number : numbers) {
            const auto weight = static_cast<uint64_t>(table.weights[number]);
            keys.push_back((UINT32_MAX - weight) << 32 | number);
        }
        // Numbers that already rise need only the weights sorted.
        radixSort(keys, std::is_sorted(numbers.begin(), numbers.end()) ? 32 : 0);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            numbers[i] = static_cast<uint32_t>(keys[i]);
        return;
    }
    struct Weighted {
        double weight;
        uint32_t number;
    };
    std::vector<Weighted> records;
    reserveHugePages(records, numbers.size());
    for (const uint32_t number : numbers) records.push_back({table.weights[number], number});
    std::sort(records.begin(), records.end(), [](const Weighted& a, const Weighted& b) {
        return a.weight != b.weight ? a.weight > b.weight : a.number < b.number;
    });
    for (std::size_t i = 0; i < numbers.size(); ++i) numbers[i] = records[i].number;
}
