#include "foundation/diagnostics.h"

#include "foundation/common_messages.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

int lineNumber = 0;
int currentSection = 0;
int spinnerPosition = 0;

namespace {

ToolMessages activeTool{};

constexpr int kTextBufferSize = 256;

const char* fixedTextOf(unsigned code) {
    for (const Message& m : activeTool.fixedTexts) {
        if (m.code == code) return m.text;
    }
    return nullptr;
}

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
    if (const char* fixed = fixedTextOf(code)) format = fixed;

    char text[kTextBufferSize] = "";
    if (format != nullptr) {
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
    }

    spinnerPosition = 0;
    std::fputs("\r \r", stdout);

    const char* section = currentSection == activeTool.noSection ? nullptr : keyName(currentSection);
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

void* allocZeroed(int size) {
    void* block = size >= 0 ? std::calloc(size > 0 ? static_cast<std::size_t>(size) : 1, 1) : nullptr;
    if (block == nullptr) report(kNoMemory);
    return block;
}

void releaseZeroed(void* block) { std::free(block); }
