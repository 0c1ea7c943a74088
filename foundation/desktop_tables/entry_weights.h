// The weights of a table's entries, by entry number. Most tables give counts,
// whole numbers below 2^32: while every weight is one, each takes four bytes
// (a table of millions of entries is read whole into memory); the first
// weight that is not turns them all into the numbers as read.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

class EntryWeights {
  public:
    // Empty while every weight read is 0, so that a table without weights
    // takes no room for them.
    bool empty() const { return whole_.empty() && read_.empty(); }
    std::size_t size() const { return read_.empty() ? whole_.size() : read_.size(); }
    // True while every weight is a whole number from 0 to 2^32 - 1.
    bool allWhole() const { return read_.empty(); }
    double operator[](std::size_t entry) const {
        return read_.empty() ? static_cast<double>(whole_[entry]) : read_[entry];
    }

    void push_back(double weight) {
        if (read_.empty() && isWhole(weight)) {
            whole_.push_back(static_cast<uint32_t>(weight));
        } else {
            pushRead(weight);
        }
    }
    // Raises the weight of `entry` to `weight` where it is lower.
    void raise(std::size_t entry, double weight);
    // Room for `count` weights, with huge pages asked for it; then weights
    // of 0 up to `size`.
    void reserveAndZero(std::size_t count, std::size_t size);
    void release();

  private:
    // Inline: asked of every weight a table gives.
    static bool isWhole(double weight) {
        return weight >= 0 && weight <= 4294967295.0 &&
               static_cast<double>(static_cast<uint32_t>(weight)) == weight &&
               !std::signbit(weight);
    }
    void pushRead(double weight);
    void turnRead();

    std::vector<uint32_t> whole_;
    std::vector<double> read_;
};
