#include "foundation/desktop_tables/table_text.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "foundation/common_messages.h"
#include "foundation/desktop_tables/binary/binary_tables.h"
#include "foundation/huge_pages.h"
#include "foundation/input_file.h"
#include "foundation/text_encoding.h"
#include "foundation/text_helpers.h"
#include "foundation/utf8_scan.h"

namespace {

// The blanks between a table's columns are tested in plain loops below:
// find_first_of with a set of two looks each byte up in the set through
// memchr, which costs more than the test, line after line of a table of
// millions.

int countLines(std::string_view bytes, std::size_t end) {
    return 1 + static_cast<int>(lineFeedsIn(bytes.substr(0, end)));
}

// `line` with each byte that starts no UTF-8 character as "\xNN" and its
// tabs as blanks, so that it stands in one column of a list.
std::string printableLine(std::string_view line) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string printable;
    std::size_t at = 0;
    while (at < line.size()) {
        const auto byte = static_cast<unsigned char>(line[at]);
        const int length = byte < 0x80 ? 1 : utf8Length(line.substr(at));
        if (length == 0) {
            printable.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 15]);
            ++at;
        } else {
            printable.append(byte == '\t' ? std::string_view(" ") : line.substr(at, length));
            at += static_cast<std::size_t>(length);
        }
    }
    return printable;
}

// Leaves out every line of `bytes` (to be file `file` of `table`) that is
// not UTF-8, from the one holding offset `bad` on: it is named (908, the
// first ones), listed, and its bytes become blanks, so that every reader
// passes it over and the lines after it keep their numbers.
void leaveOutNotUtf8(std::string& bytes, std::size_t bad, const TableReading& reading,
                     DesktopTable& table, int file) {
    int line = 1;
    std::size_t counted = 0;
    while (bad != std::string_view::npos) {
        const std::size_t newline = bad == 0 ? std::string::npos : bytes.rfind('\n', bad - 1);
        const std::size_t start = newline == std::string::npos ? 0 : newline + 1;
        std::size_t end = std::min(bytes.find('\n', bad), bytes.size());
        line += countLines(std::string_view(bytes).substr(counted), start - counted) - 1;
        counted = start;
        std::string_view text = std::string_view(bytes).substr(start, end - start);
        if (text.ends_with('\r')) text.remove_suffix(1);
        table.leaveOutLine(
            {static_cast<uint32_t>(start), 0, static_cast<uint32_t>(table.unreadLines.size()), 0,
             static_cast<uint8_t>(file)},
            LeftOutReason::kNotUtf8);
        table.unreadLines.push_back(printableLine(text));
        ++table.notUtf8;
        currentSection = reading.sectionId;
        lineNumber = line;
        report(kNotUtf8LeftOut);
        std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                  bytes.begin() + static_cast<std::ptrdiff_t>(start + text.size()), ' ');
        const std::size_t next = firstNonUtf8(std::string_view(bytes).substr(end));
        bad = next == std::string_view::npos ? next : end + next;
    }
}

}  // namespace

// An entry points into its own file, whose size the reader bounds; the
// files of a table may pass 4 GiB together.
static_assert(kMaxInputFileBytes <= std::numeric_limits<decltype(TableEntry::codeAt)>::max());

int DesktopTable::lineOf(const TableEntry& entry) const {
    return countLines(files[entry.file], std::min(entry.codeAt, entry.textAt));
}

int loadTableFile(const char* name, const TableReading& reading, DesktopTable& table, int& file,
                  NotUtf8Lines notUtf8) {
    std::string bytes;
    if (int rc = readInputFile(name, bytes, kReadFileError)) return rc;
    if (int rc = decodeBinaryTable(name, bytes, table.binaryFormat)) return rc;
    if (std::string_view(bytes).starts_with(kUtf8ByteOrderMark))
        bytes.erase(0, kUtf8ByteOrderMark.size());
    const std::size_t bad = firstNonUtf8(bytes);
    if (bad != std::string_view::npos && notUtf8 == NotUtf8Lines::kStop) {
        currentSection = reading.sectionId;
        lineNumber = countLines(bytes, bad);
        return report(kNotUtf8);
    }
    if (bad != std::string_view::npos) {
        leaveOutNotUtf8(bytes, bad, reading, table, static_cast<int>(table.files.size()));
    }
    // One entry a line at most: no growth of the entries while they are read.
    const std::size_t most = table.entries.size() + lineFeedsIn(bytes) + 1;
    // The importers number entries in 32 bits.
    if (most > std::numeric_limits<uint32_t>::max()) return report(kNoMemory);
    reserveHugePages(table.entries, most);
    file = static_cast<int>(table.files.size());
    table.files.push_back(std::move(bytes));
    table.fileNames.emplace_back(name);
    return 0;
}

TableLines::TableLines(const std::string& bytes, const TableReading& reading) : bytes_(bytes) {
    currentSection = reading.sectionId;
    lineNumber = 0;
}

std::string_view trimBlanks(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) ++first;
    std::size_t end = text.size();
    while (end > first && isBlank(text[end - 1])) --end;
    return text.substr(first, end - first);
}

std::string_view takeToken(std::string_view& rest) {
    rest = trimBlanks(rest);
    std::size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end])) ++end;
    const std::string_view token = rest.substr(0, end);
    rest = trimBlanks(rest.substr(end));
    return token;
}

std::string_view takeField(std::string_view& rest, char separator) {
    // Fields are short: a plain loop costs less than a call of memchr.
    std::size_t end = 0;
    while (end < rest.size() && rest[end] != separator) ++end;
    const std::string_view field = rest.substr(0, end);
    rest = end < rest.size() ? rest.substr(end + 1) : std::string_view{};
    return field;
}

bool parseAnyWeight(std::string_view text, double& value, bool& percent) {
    text = trimBlanks(text);
    percent = !text.empty() && text.back() == '%';
    if (percent) text.remove_suffix(1);
    if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) return false;
    if (parseWholeWeight(text, value)) return true;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

bool addAnyTableEntry(DesktopTable& table, int file, std::string_view code, std::string_view text,
                      double weight) {
    constexpr std::size_t kLongest = std::numeric_limits<uint8_t>::max();
    const char* base = table.files[static_cast<std::size_t>(file)].data();
    if (code.size() > kLongest || text.size() > kLongest) {
        ++table.tooLong;
        if (code.empty()) code = text.substr(0, 0);
        table.leaveOutLine(
            {static_cast<uint32_t>(code.data() - base), static_cast<uint32_t>(code.size()),
             static_cast<uint32_t>(text.data() - base), static_cast<uint32_t>(text.size()),
             static_cast<uint8_t>(file)},
            LeftOutReason::kTooLong);
        return false;
    }
    if (weight != 0 || !table.weights.empty()) {
        if (table.weights.empty()) {
            table.weights.reserveAndZero(table.entries.capacity(), table.entries.size());
        }
        table.weights.push_back(weight);
    }
    pushTableEntry(table, file, code, text);
    return true;
}
