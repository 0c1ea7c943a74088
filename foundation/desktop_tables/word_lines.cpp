// Word lists: a word, then optional columns separated by tabs or blanks, of
// which the first whole number or percentage is the word's weight. Lines
// that begin with "#" are comments.
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

// The weight of a whole number or percentage column. Up to 15 digits, the
// digits summed are exactly what a parse of the number gives.
bool wordWeightOf(std::string_view column, double& weight) {
    if (column.size() > 15 || column.back() == '%') {
        bool percent = false;
        return parseWeight(column, weight, percent);
    }
    double value = 0;
    for (const char c : column) value = value * 10 + (c - '0');
    weight = value;
    return true;
}

// The column that starts at `at` (no blank), and `at` moved past it and the
// blanks after it; `end` ends the line.
std::string_view wordColumn(const char*& at, const char* end) {
    const char* const start = at;
    // Eight bytes at a time while none is ASCII, as in a word of hanzi.
    constexpr uint64_t kHighBits = 0x8080808080808080u;
    while (end - at >= 8) {
        uint64_t eight = 0;
        std::memcpy(&eight, at, 8);
        if ((eight & kHighBits) != kHighBits) break;
        at += 8;
    }
    while (at < end && !isBlank(*at)) ++at;
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
            const std::string_view column = wordColumn(at, end);
            weighted = isWholeNumber(column) && wordWeightOf(column, weight);
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
