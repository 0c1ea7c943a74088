#include "foundation/desktop_tables/exported_coding.h"

#include <charconv>

#include "foundation/desktop_tables/table_text.h"

namespace {

constexpr std::string_view kOpening = "Mabrel coding:";
constexpr int kMostCodes = 12;

bool wholeNumberIn(std::string_view text, int low, int high, int& value) {
    int read = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (error != std::errc{} || end != text.data() + text.size() || read < low || read > high) {
        return false;
    }
    value = read;
    return true;
}

bool printableKeys(std::string_view keys) {
    for (const char c : keys) {
        if (c < 0x21 || c > 0x7E) return false;
    }
    return !keys.empty();
}

// One "Key=Value" of the line; false when the key is unknown or its value
// out of range.
bool readItem(std::string_view item, ExportedCoding& coding) {
    const std::string_view key = takeField(item, '=');
    int value = 0;
    if (key == "CodingStyle") {
        const std::string_view style = takeField(item, ',');
        return wholeNumberIn(style, 1, 2, coding.style) &&
               (item.empty() || wholeNumberIn(item, 0, 2, coding.subtype));
    }
    if (key == "IndexDepth") return wholeNumberIn(item, 0, 2, coding.indexDepth);
    if (key == "NoSort") {
        const bool read = wholeNumberIn(item, 0, 1, value);
        coding.noSort = value == 1;
        return read;
    }
    if (key == "MaxCodes") return wholeNumberIn(item, 1, kMostCodes, coding.maxCodes);
    if (key == "UsedCodes") {
        coding.usedCodes = std::string(item);
        return printableKeys(item);
    }
    return false;
}

bool readLine(std::string_view line, ExportedCoding& coding) {
    while (!line.empty() && (line[0] == '#' || line[0] == ';')) line.remove_prefix(1);
    line = trimBlanks(line);
    if (!line.starts_with(kOpening)) return false;
    line = trimBlanks(line.substr(kOpening.size()));
    ExportedCoding read;
    while (!line.empty()) {
        if (!readItem(takeToken(line), read)) return false;
    }
    if (read.style == 0 || read.maxCodes == 0 || read.usedCodes.empty()) return false;
    coding = std::move(read);
    return true;
}

}  // namespace

std::string exportedCodingText(const ExportedCoding& coding) {
    std::string text(kOpening);
    text.append(" CodingStyle=").append(std::to_string(coding.style));
    if (coding.subtype != 0) text.append(",").append(std::to_string(coding.subtype));
    if (coding.style == 1) {
        text.append(" IndexDepth=").append(std::to_string(coding.indexDepth));
        text.append(coding.noSort ? " NoSort=1" : " NoSort=0");
    }
    text.append(" MaxCodes=").append(std::to_string(coding.maxCodes));
    return text.append(" UsedCodes=").append(coding.usedCodes);
}

ExportedCoding exportedCodingOf(std::string_view bytes) {
    ExportedCoding coding;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        line = trimBlanks(line);
        if (!line.empty() && line[0] != '#' && line[0] != ';') break;
        if (readLine(line, coding)) break;
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    return coding;
}
