#include "foundation/diagnostics.h"

#include <cstdarg>
#include <cstdio>

int lineNumber = 0;
int currentSection = 0;
int spinnerPosition = 0;

namespace {

ToolMessages activeTool{};
bool quiet = false;

constexpr int kTextBufferSize = 256;

}  // namespace

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
        std::vsnprintf(text, sizeof text, format, args);
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
