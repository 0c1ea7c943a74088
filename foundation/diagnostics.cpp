#include "foundation/diagnostics.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

int lineNumber = 0;
int currentSection = 0;
int spinnerPosition = 0;

namespace {

ToolMessages activeTool{};
bool quiet = false;
QuoteConversion quoteConversion = nullptr;

constexpr int kTextBufferSize = 256;
constexpr unsigned kFirstQuoting = 500;
constexpr unsigned kLastQuoting = 906;

// The text of a message whose quotes are shown through the conversion, cut
// like any other after its last whole UTF-8 character within the buffer.
void formatQuoting(char (&text)[kTextBufferSize], const char* format, va_list args) {
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    std::string formatted(static_cast<std::size_t>(std::max(length, 0)), '\0');
    std::vsnprintf(formatted.data(), formatted.size() + 1, format, again);
    va_end(again);
    const std::string shown = quoteConversion(formatted);
    std::size_t cut = std::min(shown.size(), sizeof text - 1);
    if (cut < shown.size()) {
        while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) --cut;
    }
    std::memcpy(text, shown.data(), cut);
    text[cut] = '\0';
}

}  // namespace

void quoteSourceWith(QuoteConversion conversion) {
    quoteConversion = conversion;
}

void useToolMessages(const ToolMessages& tool) {
    activeTool = tool;
    currentSection = tool.noSection;
}

const char* keyName(int id) {
    if (id < 0 || static_cast<std::size_t>(id) >= activeTool.keyNames.size()) return nullptr;
    return activeTool.keyNames[id];
}

int report(unsigned code, const char* format, ...) {
    char text[kTextBufferSize] = "";
    if (format != nullptr) {
        va_list args;
        va_start(args, format);
        if (quoteConversion != nullptr && code >= kFirstQuoting && code <= kLastQuoting) {
            formatQuoting(text, format, args);
        } else {
            std::vsnprintf(text, sizeof text, format, args);
        }
        va_end(args);
    }

    spinnerPosition = 0;
    if (quiet) return static_cast<int>(code);
    std::fputs("\r \r", stdout);

    const char* section =
        currentSection == activeTool.noSection ? nullptr : keyName(currentSection);
    if (code == kPlainLine) {
        std::printf("%s\n", text);
    } else if (code == kSectionNote) {
        if (section != nullptr) {
            std::printf("%s %s\n", section, text);
        } else {
            std::printf("%s\n", text);
        }
    } else if (section != nullptr) {
        std::printf("\aL%d, %s, Message %u: %s\n", lineNumber, section, code, text);
    } else {
        std::printf("\aMessage %u : %s\n", code, text);
    }
    return static_cast<int>(code);
}

void advanceSpinner() {
    if (!quiet) std::printf("\r%c", kSpinnerChars[spinnerPosition]);
    spinnerPosition = (spinnerPosition + 1) % 5;
}

void clearSpinner() {
    spinnerPosition = 0;
    if (!quiet) std::fputs("\r \r", stdout);
}

// The line and section a quiet run moves are given back when it ends.
QuietReports::QuietReports()
    : wasQuiet_(quiet), lineNumber_(lineNumber), currentSection_(currentSection) {
    quiet = true;
}

QuietReports::~QuietReports() {
    quiet = wasQuiet_;
    lineNumber = lineNumber_;
    currentSection = currentSection_;
    spinnerPosition = 0;
}
