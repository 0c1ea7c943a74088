// The text of a desktop table: a file read whole, checked to be UTF-8, and
// walked line by line; the small splitting helpers every format reader uses.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/diagnostics.h"
#include "foundation/text_helpers.h"

// What a tool gives the readers: the identifier of its "[Table]" section,
// which the messages about a table's lines name.
struct TableReading {
    int sectionId;
};

// What a file read for an import does with a line that is not UTF-8: leaves
// it out (a table's or list's line, named with 908 and listed) or stops the
// run (a file of weights).
enum class NotUtf8Lines { kLeftOut, kStop };

// Reads `name` into a new file of `table` (a byte-order mark dropped) and
// sets `file` to its number. Returns 0, or 100, 101 or 908 after reporting
// it (908 with the number of the first line that is not UTF-8, with
// kStop), or 200 when the table would hold more lines than its entries can
// be numbered.
int loadTableFile(const char* name, const TableReading& reading, DesktopTable& table, int& file,
                  NotUtf8Lines notUtf8 = NotUtf8Lines::kLeftOut);

// The lines of one file, a CR before the LF dropped. Keeps lineNumber and
// the current section up to date, so that messages name the table's line.
class TableLines {
  public:
    TableLines(const std::string& bytes, const TableReading& reading);
    // Inline: called for each of millions of lines.
    bool next(std::string_view& line) {
        if (at_ >= bytes_.size()) return false;
        std::size_t end = bytes_.find('\n', at_);
        if (end == std::string::npos) end = bytes_.size();
        line = std::string_view(bytes_).substr(at_, end - at_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at_ = end + 1;
        lineNumber = ++number_;
        return true;
    }
    std::size_t offsetOf(std::string_view part) const {
        return static_cast<std::size_t>(part.data() - bytes_.data());
    }

  private:
    const std::string& bytes_;
    std::size_t at_ = 0;
    int number_ = 0;
};

std::string_view trimBlanks(std::string_view text);
// The text up to the first blank or tab, taken off `rest` with the blanks
// after it.
std::string_view takeToken(std::string_view& rest);
// The text up to the first `separator` (or the end), taken off `rest` with
// the separator.
std::string_view takeField(std::string_view& rest, char separator);

// A weight: a number, or a number and "%". False when it is neither.
bool parseAnyWeight(std::string_view text, double& value, bool& percent);

// Digits alone, at most 15 (exact in a double): the counts most tables
// give, read without the general conversion. False for anything else.
inline bool parseWholeWeight(std::string_view text, double& value) {
    if (text.empty() || text.size() > 15) return false;
    uint64_t whole = 0;
    for (const char c : text) {
        const auto digit = static_cast<unsigned>(c - '0');
        if (digit > 9) return false;
        whole = whole * 10 + digit;
    }
    value = static_cast<double>(whole);
    return true;
}

// Digits alone, one to eight, read as one word where the bytes up to
// `readableEnd` hold eight from the first; false for anything else (which
// parseWeight reads).
inline bool parseDigitWord(std::string_view text, const char* readableEnd, double& value) {
    if (text.empty() || text.size() > 8 || readableEnd - text.data() < 8) return false;
    uint64_t word = 0;
    std::memcpy(&word, text.data(), 8);
    // The digits in the top bytes, the first the lowest of them; zeros
    // below, which read as leading zeros.
    word <<= 8 * (8 - text.size());
    const uint64_t digits = ~uint64_t{0} << (8 * (8 - text.size()));
    constexpr uint64_t kLowNibbles = 0x0F0F0F0F0F0F0F0Fu;
    const bool allDigits = ((word & ~kLowNibbles) ^ (0x3030303030303030u & digits)) == 0 &&
                           (((word & kLowNibbles) + 0x0606060606060606u) & ~kLowNibbles) == 0;
    if (!allDigits) return false;
    uint64_t number = word & kLowNibbles;
    number = (number * 10 + (number >> 8)) & 0x00FF00FF00FF00FFu;
    number = (number * 100 + (number >> 16)) & 0x0000FFFF0000FFFFu;
    number = (number * 10000 + (number >> 32)) & 0xFFFFFFFFu;
    value = static_cast<double>(number);
    return true;
}

// The same as parseAnyWeight; digits alone read inline.
inline bool parseWeight(std::string_view text, double& value, bool& percent) {
    percent = false;
    if (parseWholeWeight(text, value)) return true;
    return parseAnyWeight(text, value, percent);
}

// Appends an entry whose code and text lie in `file`. False (nothing
// appended, the table's tooLong counted) when either is longer than an entry
// can point at; such a text is no character and no word any tool keeps.
bool addAnyTableEntry(DesktopTable& table, int file, std::string_view code, std::string_view text,
                      double weight);

// The entry of `code` and `text`, its weight set apart.
inline void pushTableEntry(DesktopTable& table, int file, std::string_view code,
                           std::string_view text) {
    const char* base = table.files[static_cast<std::size_t>(file)].data();
    if (code.empty()) code = text.substr(0, 0);
    table.entries.push_back({static_cast<uint32_t>(code.data() - base),
                             static_cast<uint32_t>(text.data() - base),
                             static_cast<uint8_t>(code.size()), static_cast<uint8_t>(text.size()),
                             static_cast<uint8_t>(file)});
}

// The same as addAnyTableEntry; inline where nothing but the entry (and its
// weight, once the weights are kept) is added, as for most lines.
inline bool addTableEntry(DesktopTable& table, int file, std::string_view code,
                          std::string_view text, double weight) {
    constexpr std::size_t kLongest = UINT8_MAX;
    if (code.size() > kLongest || text.size() > kLongest ||
        (weight != 0 && table.weights.empty())) {
        return addAnyTableEntry(table, file, code, text, weight);
    }
    if (!table.weights.empty()) table.weights.push_back(weight);
    pushTableEntry(table, file, code, text);
    return true;
}
