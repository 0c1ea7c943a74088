#include "foundation/compression/fse_table.h"

#include <bit>
#include <cstdlib>

namespace {

constexpr unsigned kSmallestAccuracy = 5;

// The bits of a distribution, read from its first byte upwards.
class ForwardBits {
  public:
    explicit ForwardBits(std::string_view bytes) : bytes_(bytes) {}
    uint32_t peek(unsigned count) const {
        uint32_t value = 0;
        for (unsigned bit = 0; bit < count; ++bit) {
            const std::size_t at = (used_ + bit) / 8;
            if (at < bytes_.size() && (static_cast<uint8_t>(bytes_[at]) >> ((used_ + bit) % 8)) & 1)
                value |= uint32_t{1} << bit;
        }
        return value;
    }
    void skip(unsigned count) { used_ += count; }
    uint32_t read(unsigned count) {
        const uint32_t value = peek(count);
        skip(count);
        return value;
    }
    std::size_t bytesUsed() const { return (used_ + 7) / 8; }

  private:
    std::string_view bytes_;
    std::size_t used_ = 0;
};

}  // namespace

bool buildFseTable(const std::vector<int16_t>& counts, unsigned accuracy, FseTable& table) {
    const std::size_t size = std::size_t{1} << accuracy;
    table.entries.assign(size, FseEntry{});
    table.accuracy = accuracy;
    std::vector<uint32_t> next(counts.size());
    std::size_t high = size;  // the "less than one" symbols fill the table from its end
    for (std::size_t symbol = 0; symbol < counts.size(); ++symbol) {
        if (counts[symbol] == -1) {
            if (high == 0) return false;
            table.entries[--high].symbol = static_cast<uint8_t>(symbol);
            next[symbol] = 1;
        } else {
            next[symbol] = static_cast<uint32_t>(counts[symbol]);
        }
    }
    const std::size_t step = (size >> 1) + (size >> 3) + 3;
    std::size_t position = 0;
    for (std::size_t symbol = 0; symbol < counts.size(); ++symbol) {
        for (int16_t count = 0; count < counts[symbol]; ++count) {
            if (high == 0) return false;
            table.entries[position].symbol = static_cast<uint8_t>(symbol);
            do position = (position + step) & (size - 1);
            while (position >= high);
        }
    }
    if (position != 0) return false;
    for (FseEntry& entry : table.entries) {
        const uint32_t state = next[entry.symbol]++;
        if (state == 0) return false;
        entry.bits = static_cast<uint8_t>(accuracy + 1 - std::bit_width(state));
        entry.base = static_cast<uint16_t>((state << entry.bits) - size);
    }
    return true;
}

std::size_t readFseTable(std::string_view bytes, unsigned maxSymbol, unsigned maxAccuracy,
                         FseTable& table) {
    ForwardBits bits(bytes);
    const unsigned accuracy = bits.read(4) + kSmallestAccuracy;
    if (accuracy > maxAccuracy) return 0;
    int32_t remaining = (1 << accuracy) + 1;
    int32_t threshold = 1 << accuracy;
    unsigned width = accuracy + 1;
    std::vector<int16_t> counts;
    while (remaining > 1 && counts.size() <= maxSymbol) {
        const int32_t most = 2 * threshold - 1 - remaining;
        int32_t count = static_cast<int32_t>(bits.peek(width - 1));
        if (count < most) {
            bits.skip(width - 1);
        } else {
            count = static_cast<int32_t>(bits.read(width));
            if (count >= threshold) count -= most;
        }
        --count;
        remaining -= std::abs(count);
        if (remaining < 1) return 0;
        counts.push_back(static_cast<int16_t>(count));
        if (count == 0) {
            // Two bits at a time: how many more symbols have none.
            for (uint32_t repeat = 3; repeat == 3 && counts.size() <= maxSymbol + 1;) {
                repeat = bits.read(2);
                counts.insert(counts.end(), repeat, 0);
            }
        }
        while (remaining < threshold) {
            --width;
            threshold >>= 1;
        }
    }
    if (remaining != 1 || counts.size() > maxSymbol + 1 || bits.bytesUsed() > bytes.size())
        return 0;
    return buildFseTable(counts, accuracy, table) ? bits.bytesUsed() : 0;
}

void rleFseTable(uint8_t symbol, FseTable& table) {
    table.entries.assign(1, FseEntry{symbol, 0, 0});
    table.accuracy = 0;
}
