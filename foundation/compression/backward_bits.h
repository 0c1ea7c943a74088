// The bit streams of zstd's entropy-coded sections: a little-endian number
// whose highest set bit marks its start, read from there towards bit 0.
// Reading past bit 0 gives zeros and counts as overflow, which the decoders
// of the last symbols use to tell where the stream ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class BackwardBits {
  public:
    // False, through `ok()`, when `stream` is empty or its last byte is 0.
    explicit BackwardBits(std::string_view stream) : stream_(stream) {
        const uint8_t last = stream.empty() ? 0 : byte(stream.size() - 1);
        if (last == 0) return;
        int top = 7;
        while (!(last >> top)) --top;
        left_ = static_cast<int64_t>(stream.size() - 1) * 8 + top;
        ok_ = true;
    }

    bool ok() const { return ok_; }
    // Whether more bits were read than the stream holds.
    bool overflowed() const { return left_ < 0; }
    // Whether every bit was read, and none beyond.
    bool finished() const { return left_ == 0; }

    // The next `count` (at most 56) bits, without reading them.
    uint64_t peek(unsigned count) const {
        if (count == 0) return 0;
        const int64_t low = left_ - count;
        if (low >= 0) return (word(static_cast<std::size_t>(low / 8)) >> (low % 8)) & mask(count);
        if (left_ <= 0) return 0;
        return (word(0) & mask(static_cast<unsigned>(left_))) << -low;
    }
    void skip(unsigned count) { left_ -= count; }
    uint64_t read(unsigned count) {
        const uint64_t bits = peek(count);
        skip(count);
        return bits;
    }

  private:
    static uint64_t mask(unsigned count) { return (uint64_t{1} << count) - 1; }
    uint8_t byte(std::size_t at) const { return static_cast<uint8_t>(stream_[at]); }
    // Up to eight bytes from `at`, little-endian.
    uint64_t word(std::size_t at) const {
        uint64_t value = 0;
        for (std::size_t i = 0; i < 8 && at + i < stream_.size(); ++i)
            value |= uint64_t{byte(at + i)} << (8 * i);
        return value;
    }

    std::string_view stream_;
    int64_t left_ = 0;
    bool ok_ = false;
};
