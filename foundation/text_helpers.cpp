#include "foundation/text_helpers.h"

#include <cstring>

const char* skipBlanks(const char* text) {
    while (isBlank(*text)) ++text;
    return text;
}

char* skipBlanks(char* text) {
    while (isBlank(*text)) ++text;
    return text;
}

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

char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

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
