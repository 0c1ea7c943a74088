#include "foundation/statistics_text.h"

#include <cstdio>

#include "foundation/diagnostics.h"

namespace {
constexpr std::size_t kLabelColumns = 30;
}

std::string ofLimit(long long value, long long limit, const char* unit) {
    char text[96];
    std::snprintf(
        text, sizeof text, "%lld of %lld%s (%.1f %%)", value, limit, unit,
        limit > 0 ? 100.0 * static_cast<double>(value) / static_cast<double>(limit) : 0.0);
    return text;
}

std::string figureLine(const char* label, const std::string& text) {
    std::string line = label;
    if (line.size() < kLabelColumns) line.resize(kLabelColumns, ' ');
    return line + text + "\n";
}

std::string ShownCharacters::shown(uint8_t lead, uint8_t trail) {
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    std::string utf8 = converter_.toUtf8(std::string_view(bytes, 2));
    if (!utf8.empty()) return utf8;
    char hex[8];
    std::snprintf(hex, sizeof hex, "<%02X %02X>", lead, trail);
    return hex;
}

std::string ShownCharacters::shownIndex(CharSet charSet, unsigned index) {
    char bytes[3] = {};
    indexToChar(charSet, index, bytes, sizeof bytes);
    return shown(static_cast<uint8_t>(bytes[0]), static_cast<uint8_t>(bytes[1]));
}

void printReportLines(const std::string& lines) {
    std::size_t start = 0;
    while (start < lines.size() && std::ferror(stdout) == 0) {
        std::size_t end = lines.find('\n', start);
        if (end == std::string::npos) end = lines.size();
        report(kPlainLine, "%s", lines.substr(start, end - start).c_str());
        start = end + 1;
    }
}
