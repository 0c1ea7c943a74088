// Word lists: a word, then optional columns separated by tabs or blanks, of
// which the first whole number or percentage is the word's weight. Lines
// that begin with "#" are comments.
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

// The column at the start of `rest`, a line trimmed of its blanks, and
// `rest` moved past it and the blanks after it: what takeToken gives such a
// line, without trimming it again at every column.
std::string_view wordColumn(std::string_view& rest) {
    std::size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end])) ++end;
    const std::string_view column = rest.substr(0, end);
    while (end < rest.size() && isBlank(rest[end])) ++end;
    rest.remove_prefix(end);
    return column;
}

template <class Take>
void forEachWord(const std::string& bytes, const TableReading& reading, Take take) {
    TableLines lines(bytes, reading);
    std::string_view line;
    while (lines.next(line)) {
        std::string_view rest = trimBlanks(line);
        if (rest.empty() || rest[0] == '#') continue;
        const std::string_view word = wordColumn(rest);
        double weight = 0;
        bool weighted = false;
        while (!rest.empty() && !weighted) {
            const std::string_view column = wordColumn(rest);
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
