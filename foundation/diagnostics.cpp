#include "foundation/diagnostics.h"

#include <cstdarg>
#include <cstdio>

int lineNumber = 0;
int currentSection = 0;
int spinnerPosition = 0;

namespace {

ToolMessages activeTool{};

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
    std::printf("\r%c", kSpinnerChars[spinnerPosition]);
    spinnerPosition = (spinnerPosition + 1) % 5;
}

void clearSpinner() {
    spinnerPosition = 0;
    std::fputs("\r \r", stdout);
}
