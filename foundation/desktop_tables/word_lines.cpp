// Word lists: a word, then optional columns separated by tabs or blanks, of
// which the first whole number or percentage is the word's weight. Lines
// that begin with "#" are comments.
#include <bit>
#include <cstdint>
#include <cstring>

#include "foundation/desktop_tables/table_formats.h"
#include "foundation/text_helpers.h"

namespace {

bool isWholeNumber(std::string_view column) {
    if (!column.empty() && column.back() == '%') column.remove_suffix(1);
    if (column.empty()) return false;
    for (const char c : column) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Up to this many digits, the digits summed are exactly what a parse of
// the number gives.
constexpr std::size_t kSummedDigits = 15;

// A bit set in the high bit of each byte of `eight` that is a blank, and
// perhaps of bytes after the first blank; the lowest is exact.
uint64_t blankBytes(uint64_t eight) {
    constexpr uint64_t kOnes = 0x0101010101010101u;
    constexpr uint64_t kHighBits = 0x8080808080808080u;
    const uint64_t spaces = eight ^ (kOnes * ' ');
    const uint64_t tabs = eight ^ (kOnes * '\t');
    return (((spaces - kOnes) & ~spaces) | ((tabs - kOnes) & ~tabs)) & kHighBits;
}

// Moves `at` to the first blank before `end`, or to `end`; eight bytes at a
// time.
void skipToBlank(const char*& at, const char* end) {
    while (std::endian::native == std::endian::little && end - at >= 8) {
        uint64_t eight = 0;
        std::memcpy(&eight, at, 8);
        if (const uint64_t blanks = blankBytes(eight)) {
            at += std::countr_zero(blanks) / 8;
            return;
        }
        at += 8;
    }
    while (at < end && !isBlank(*at)) ++at;
}

// The column that starts at `at` (no blank), and `at` moved past it and the
// blanks after it; `end` ends the line.
std::string_view wordColumn(const char*& at, const char* end) {
    const char* const start = at;
    skipToBlank(at, end);
    const std::string_view column(start, static_cast<std::size_t>(at - start));
    while (at < end && isBlank(*at)) ++at;
    return column;
}

template <class Take>
void forEachWord(const std::string& bytes, const TableReading& reading, Take take) {
    TableLines lines(bytes, reading);
    std::string_view line;
    while (lines.next(line)) {
        const char* at = line.data();
        const char* const end = at + line.size();
        while (at < end && isBlank(*at)) ++at;
        if (at == end || *at == '#') continue;
        const std::string_view word = wordColumn(at, end);
        double weight = 0;
        bool weighted = false;
        while (at < end && !weighted) {
            // Digits alone, the usual weight, are summed as they are passed.
            const char* const start = at;
            double value = 0;
            bool digits = true;
            for (; at < end && !isBlank(*at); ++at) {
                const auto digit = static_cast<unsigned>(static_cast<uint8_t>(*at) - '0');
                digits = digits && digit < 10;
                value = value * 10 + digit;
            }
            const std::string_view column(start, static_cast<std::size_t>(at - start));
            while (at < end && isBlank(*at)) ++at;
            if (digits && column.size() <= kSummedDigits) {
                weight = value;
                weighted = true;
            } else {
                // A percentage, or more digits than a sum keeps exact.
                bool percent = false;
                weighted = isWholeNumber(column) && parseWeight(column, weight, percent);
            }
        }
        take(word, weighted ? weight : 0, weighted);
    }
}

}  // namespace

void readWordLines(const TableReading& reading, DesktopTable& table, int file) {
    table.format = "word list";
    forEachWord(table.files[static_cast<std::size_t>(file)], reading,
                [&](std::string_view word, double weight, bool weighted) {
                    table.weighted = table.weighted || weighted;
                    addTableEntry(table, file, {}, word, weight);
                });
}

void readWordLinesInto(const std::string& bytes, const TableReading& reading,
                       std::unordered_map<std::string_view, double>& weights) {
    forEachWord(bytes, reading, [&](std::string_view word, double weight, bool) {
        weights.try_emplace(word, weight);
    });
}
