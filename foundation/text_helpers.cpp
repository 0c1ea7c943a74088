#include "foundation/text_helpers.h"

#include <cstdint>
#include <cstring>

bool isBlankLine(const char* line) {
    for (; *line != '\0' && *line != '\n'; ++line) {
        if (!isBlank(*line)) return false;
    }
    return true;
}

bool isSectionHeader(const char* line) {
    const char* open = skipBlanks(line);
    if (*open != '[' || open[1] == '\0') return false;
    const char* close = std::strchr(open, ']');
    return close != nullptr && close - open >= 2;
}

char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upperCopy(const char* text) {
    std::string copy(text);
    for (char& c : copy) c = asciiUpper(c);
    return copy;
}

bool nameContains(const char* name, const char* upperPart) {
    return upperCopy(name).find(upperPart) != std::string::npos;
}

bool startsWithIgnoringCase(const char* text, const char* name, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (asciiUpper(text[i]) != asciiUpper(name[i])) return false;
    }
    return true;
}

bool equalsIgnoringCase(const char* a, const char* b) {
    const std::size_t length = std::strlen(b);
    return std::strlen(a) == length && startsWithIgnoringCase(a, b, length);
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::vector<std::string> splitItems(const std::string& text, char separator) {
    std::string compact;
    for (char c : text) {
        if (!isBlank(c)) compact += c;
    }
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < compact.size()) {
        std::size_t end = compact.find(separator, start);
        if (end == std::string::npos) end = compact.size();
        if (end == start) break;
        items.push_back(compact.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

int decimalValue(const char* text) {
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (isSpace(*text)) ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    // The magnitude saturates at 2^63, which is LONG_MIN's and one above LONG_MAX's.
    constexpr uint64_t kLimit = uint64_t{1} << 63;
    uint64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const uint64_t digit = static_cast<uint64_t>(*text - '0');
        magnitude = magnitude > (kLimit - digit) / 10 ? kLimit : magnitude * 10 + digit;
    }
    const uint64_t value =
        negative ? 0 - magnitude : (magnitude == kLimit ? kLimit - 1 : magnitude);
    return static_cast<int>(static_cast<uint32_t>(value));
}
