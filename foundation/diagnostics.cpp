#include "foundation/diagnostics.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/singular_counts.h"

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

// One kind of numbered message seen in this run: how often, and how many of
// those were not printed.
struct MessageKind {
    unsigned code;
    std::string format;
    int seen = 0;
    int counted = 0;
};

std::vector<MessageKind> kindsSeen;
std::vector<std::size_t> kindsPastLimit;  // positions in kindsSeen, in order
bool notesCounted = false;                // the last numbered message was counted

// Whether a numbered message is one too many of its kind: then it is
// counted, and prints nothing.
bool countedAway(unsigned code, const char* format) {
    const char* text = format != nullptr ? format : "";
    MessageKind* kind = nullptr;
    for (MessageKind& seen : kindsSeen) {
        if (seen.code == code && seen.format == text) kind = &seen;
    }
    if (kind == nullptr) kind = &kindsSeen.emplace_back(MessageKind{code, text});
    if (++kind->seen <= kRepeatedWarningsShown) return false;
    if (kind->counted++ == 0)
        kindsPastLimit.push_back(static_cast<std::size_t>(kind - kindsSeen.data()));
    return true;
}

// A note follows the message it explains; it goes where that message went.
bool isCountedNote(unsigned code, const char* format) {
    return notesCounted && code == kPlainLine && format != nullptr &&
           std::strncmp(format, "Note: ", 6) == 0;
}

}  // namespace

void quoteSourceWith(QuoteConversion conversion) {
    quoteConversion = conversion;
}

void useToolMessages(const ToolMessages& tool) {
    activeTool = tool;
    currentSection = tool.noSection;
    kindsSeen.clear();
    kindsPastLimit.clear();
    notesCounted = false;
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
        const std::string counted = singularCountsFormat(format, args);
        if (quoteConversion != nullptr && code >= kFirstQuoting && code <= kLastQuoting) {
            formatQuoting(text, counted.c_str(), args);
        } else {
            std::vsnprintf(text, sizeof text, counted.c_str(), args);
        }
        va_end(args);
    }

    if (quiet) {
        spinnerPosition = 0;
        return static_cast<int>(code);
    }
    if (code > kSectionNote) {
        notesCounted = countedAway(code, format);
        if (notesCounted) return static_cast<int>(code);
    } else if (isCountedNote(code, format)) {
        return static_cast<int>(code);
    } else {
        notesCounted = false;
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

int reportOnStandardError(unsigned code, const char* format, ...) {
    if (quiet) return static_cast<int>(code);
    char text[kTextBufferSize] = "";
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, singularCountsFormat(format, args).c_str(), args);
    va_end(args);
    std::fprintf(stderr, "\aMessage %u : %s\n", code, text);
    return static_cast<int>(code);
}

void reportRepeatedWarnings() {
    if (quiet) return;
    const std::vector<std::size_t> order = std::move(kindsPastLimit);
    kindsPastLimit.clear();
    for (std::size_t k : order) {
        MessageKind& kind = kindsSeen[k];
        report(kPlainLine, "%d more warnings like message %u", kind.counted, kind.code);
        kind.counted = 0;
    }
}

std::vector<MessageCount> messageCounts() {
    std::vector<MessageCount> counts;
    for (const MessageKind& kind : kindsSeen) {
        auto at =
            std::lower_bound(counts.begin(), counts.end(), kind.code,
                             [](const MessageCount& c, unsigned code) { return c.code < code; });
        if (at == counts.end() || at->code != kind.code) at = counts.insert(at, {kind.code, 0});
        at->count += kind.seen;
    }
    return counts;
}

void advanceSpinner() {
    // Two bytes into the buffer of standard output, a byte at a time: a
    // compile turns it a thousand times.
    if (!quiet) {
        std::putc('\r', stdout);
        std::putc(kSpinnerChars[spinnerPosition], stdout);
    }
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
