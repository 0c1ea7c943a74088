#include "foundation/desktop_tables/weight_order.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <utility>

#include "foundation/huge_pages.h"

namespace {

constexpr double kLargestWhole = 4294967295.0;
constexpr int kDigitBits = 11;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;

bool wholeWeights(const DesktopTable& table, const std::vector<uint32_t>& numbers) {
    if (table.weights.allWhole()) return true;
    return std::all_of(numbers.begin(), numbers.end(), [&](uint32_t number) {
        const double weight = table.weights[number];
        return weight <= kLargestWhole && weight == std::floor(weight);
    });
}

// Least significant digit first, over the bits of `keyOf(record)` from bit
// `lowest` up: each pass is stable, so the records end in order of those
// bits, and records equal in them keep their order. A digit that is the
// same in every record moves nothing and is passed over.
template <class Record, class KeyOf>
void radixSort(std::vector<Record>& records, int lowest, KeyOf keyOf) {
    const int digits = (64 - lowest + kDigitBits - 1) / kDigitBits;
    const auto digitOf = [lowest](uint64_t key, int d) {
        return (key >> (lowest + d * kDigitBits)) & (kBuckets - 1);
    };
    std::vector<std::array<std::size_t, kBuckets>> counts(static_cast<std::size_t>(digits));
    for (const Record& record : records) {
        const uint64_t key = keyOf(record);
        for (int d = 0; d < digits; ++d) ++counts[d][digitOf(key, d)];
    }
    std::vector<Record> moved;
    reserveHugePages(moved, records.size());
    moved.resize(records.size());
    for (int d = 0; d < digits; ++d) {
        std::array<std::size_t, kBuckets>& count = counts[d];
        if (std::find(count.begin(), count.end(), records.size()) != count.end()) continue;
        std::size_t start = 0;
        for (std::size_t& bucket : count) start += std::exchange(bucket, start);
        for (const Record& record : records) moved[count[digitOf(keyOf(record), d)]++] = record;
        records.swap(moved);
    }
}

// What tells entries of the same weight apart, and what the order gives
// back: their entry numbers, or their places in the numbers sorted.
enum class Tie { kNumber, kPlace };

// Puts in `order` the entries of `numbers` by weight, heaviest first, as
// their numbers or their places; `order` may be `numbers` itself.
void weightOrder(const DesktopTable& table, const std::vector<uint32_t>& numbers, Tie tie,
                 std::vector<uint32_t>& order) {
    const auto tieOf = [&](std::size_t i) {
        return tie == Tie::kPlace ? static_cast<uint32_t>(i) : numbers[i];
    };
    const std::size_t count = numbers.size();
    // Ties that already rise need only the weights sorted.
    const bool rising = tie == Tie::kPlace || std::is_sorted(numbers.begin(), numbers.end());
    if (wholeWeights(table, numbers)) {
        // Heavier first: the weight's complement in the high half, the tie
        // in the low half to keep ties in reading order.
        std::vector<uint64_t> keys;
        reserveHugePages(keys, numbers.size());
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            const auto weight = static_cast<uint64_t>(table.weights[numbers[i]]);
            keys.push_back((UINT32_MAX - weight) << 32 | tieOf(i));
        }
        radixSort(keys, rising ? 32 : 0, [](uint64_t key) { return key; });
        reserveHugePages(order, count);
        order.resize(count);
        for (std::size_t i = 0; i < count; ++i) order[i] = static_cast<uint32_t>(keys[i]);
        return;
    }
    struct Weighted {
        double weight;
        uint32_t tie;
    };
    std::vector<Weighted> records;
    reserveHugePages(records, numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        records.push_back({table.weights[numbers[i]], tieOf(i)});
    }
    // A weight read is a finite number, not below 0 (-0 aside), whose bits
    // rise as it does: heavier first, by their complement.
    const bool bitsInOrder = std::all_of(records.begin(), records.end(), [](const Weighted& r) {
        return std::isfinite(r.weight) && !std::signbit(r.weight);
    });
    if (rising && bitsInOrder) {
        radixSort(records, 0,
                  [](const Weighted& r) { return UINT64_MAX - std::bit_cast<uint64_t>(r.weight); });
    } else {
        std::sort(records.begin(), records.end(), [](const Weighted& a, const Weighted& b) {
            return a.weight != b.weight ? a.weight > b.weight : a.tie < b.tie;
        });
    }
    reserveHugePages(order, count);
    order.resize(count);
    for (std::size_t i = 0; i < count; ++i) order[i] = records[i].tie;
}

// Where every weight is a whole number not much above the count of entries
// (the counts of a word list), puts in `ranks` the place in weight order of
// each of `numbers` through one count of each weight: no keys, no sort, and
// the places written in order. False, `ranks` untouched, where it does not
// apply.
bool countedRanks(const DesktopTable& table, const std::vector<uint32_t>& numbers,
                  std::vector<uint32_t>& ranks) {
    if (!wholeWeights(table, numbers)) return false;
    uint64_t heaviest = 0;
    for (const uint32_t number : numbers) {
        heaviest = std::max(heaviest, static_cast<uint64_t>(table.weights[number]));
    }
    if (heaviest > 4 * static_cast<uint64_t>(numbers.size()) + 1024) return false;
    // By weight, heaviest first: how many entries are heavier, then where
    // the next entry of that weight goes.
    std::vector<uint32_t> next(static_cast<std::size_t>(heaviest) + 2, 0);
    const auto bucketOf = [&](uint32_t number) {
        return static_cast<std::size_t>(heaviest - static_cast<uint64_t>(table.weights[number]));
    };
    for (const uint32_t number : numbers) ++next[bucketOf(number) + 1];
    for (std::size_t b = 1; b < next.size(); ++b) next[b] += next[b - 1];
    reserveHugePages(ranks, numbers.size());
    for (const uint32_t number : numbers) ranks.push_back(next[bucketOf(number)]++);
    return true;
}

}  // namespace

std::vector<uint32_t> ranksByWeight(const DesktopTable& table,
                                    const std::vector<uint32_t>& numbers) {
    std::vector<uint32_t> ranks;
    if (table.weights.empty()) {  // every weight 0: the order stands
        reserveHugePages(ranks, numbers.size());
        for (std::size_t i = 0; i < numbers.size(); ++i) ranks.push_back(static_cast<uint32_t>(i));
    } else if (!countedRanks(table, numbers, ranks)) {
        std::vector<uint32_t> places;
        weightOrder(table, numbers, Tie::kPlace, places);
        reserveHugePages(ranks, numbers.size());
        ranks.resize(numbers.size());
        for (std::size_t p = 0; p < places.size(); ++p) ranks[places[p]] = static_cast<uint32_t>(p);
    }
    return ranks;
}

void sortByWeight(const DesktopTable& table, std::vector<uint32_t>& numbers) {
    if (table.weights.empty()) return;  // every weight 0: the order stands
    weightOrder(table, numbers, Tie::kNumber, numbers);
}
