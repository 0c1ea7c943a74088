// The weights of a table's entries, by entry number. Most tables give counts,
// whole numbers below 2^32 - 1, and each of those takes four bytes (a table
// of millions of entries is read whole into memory); the few weights that are
// not (a fraction, a weight beyond) stand apart. Where many are not, all
// turn into the numbers as read.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class EntryWeights {
  public:
    // Empty while every weight read is 0, so that a table without weights
    // takes no room for them.
    bool empty() const { return whole_.empty() && read_.empty(); }
    std::size_t size() const { return read_.empty() ? whole_.size() : read_.size(); }
    // True while every weight is a whole number from 0 to 2^32 - 2.
    bool allWhole() const { return read_.empty() && others_.empty(); }
    double operator[](std::size_t entry) const {
        if (!read_.empty()) return read_[entry];
        const uint32_t weight = whole_[entry];
        return weight != kElsewhere ? static_cast<double>(weight) : other(entry);
    }

    void push_back(double weight) {
        if (read_.empty() && isWhole(weight)) {
            whole_.push_back(static_cast<uint32_t>(weight));
        } else {
            pushOther(weight);
        }
    }
    // Raises the weight of `entry` to `weight` where it is lower.
    void raise(std::size_t entry, double weight);
    // Room for `count` weights, with huge pages asked for it; then weights
    // of 0 up to `size`.
    void reserveAndZero(std::size_t count, std::size_t size);
    void release();

  private:
    // In whole_: the weight is one of others_.
    static constexpr uint32_t kElsewhere = UINT32_MAX;
    // More weights apart than this, and all are kept as read.
    static constexpr std::size_t kMostOthers = 4096;

    // Inline: asked of every weight a table gives.
    static bool isWhole(double weight) {
        return weight >= 0 && weight < 4294967295.0 &&
               static_cast<double>(static_cast<uint32_t>(weight)) == weight &&
               !std::signbit(weight);
    }
    double other(std::size_t entry) const;
    void pushOther(double weight);
    void turnRead();

    std::vector<uint32_t> whole_;
    std::vector<std::pair<std::size_t, double>> others_;  // by entry, ascending
    std::vector<double> read_;
};
