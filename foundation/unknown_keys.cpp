#include "foundation/unknown_keys.h"

#include <algorithm>
#include <cstring>

#include "foundation/common_messages.h"
#include "foundation/text_helpers.h"

namespace {

// The text from `begin` to `end` without the blanks around it.
std::string trimmed(const char* begin, const char* end) {
    begin = skipBlanks(begin);
    while (end > begin && isBlank(end[-1])) --end;
    return std::string(begin, end);
}

void warnLine(const CKeyTable& table, int index, std::span<const int> keyIds,
              std::span<const KeySpelling> spellings) {
    const char* line = table.line(index);
    const std::optional<std::string> name = keyLineName(line);
    if (!name) {
        warnAtKeyLine(table, index, kNotAKey, quotedLine(line).c_str());
        return;
    }
    const auto names = [&](int id) { return equalsIgnoringCase(name->c_str(), keyName(id)); };
    if (std::any_of(keyIds.begin(), keyIds.end(), names)) return;
    for (const KeySpelling& spelling : spellings) {
        if (equalsIgnoringCase(name->c_str(), spelling.written)) {
            warnAtKeyLine(table, index, spelling.message, name->c_str());
            return;
        }
    }
    warnAtKeyLine(table, index, kUnknownKey, name->c_str());
}

}  // namespace

std::optional<std::string> keyLineName(const char* line) {
    const char* equals = std::strchr(line, '=');
    if (equals == nullptr) return std::nullopt;
    return trimmed(line, equals);
}

std::string quotedLine(const char* line) {
    return trimmed(line, line + std::strcspn(line, "\n"));
}

void warnAtKeyLine(const CKeyTable& table, int index, const Message& message, const char* text) {
    const int current = lineNumber;
    lineNumber = table.lineNumberOf(index);
    report(message, text);
    lineNumber = current;
}

void warnUnknownKeys(const CKeyTable& table, std::span<const int> keyIds,
                     std::span<const KeySpelling> spellings) {
    for (int i = 0; i < table.count(); ++i) warnLine(table, i, keyIds, spellings);
}
