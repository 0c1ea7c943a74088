#include "foundation/key_table.h"

#include <cstring>

#include "foundation/common_messages.h"
#include "foundation/memory_guard.h"
#include "foundation/text_helpers.h"

namespace {

bool startsComment(const char* p) {
    return p[0] == '/' && p[1] == '/';
}

// Finds the end of a value starting at `value`, terminates it there and
// returns the value (possibly empty).
char* cutValue(char* value, bool wholeLine) {
    char* end = value;
    if (wholeLine) {
        while (*end != '\0' && *end != '\n' && !startsComment(end)) ++end;
        while (end > value && isBlank(end[-1])) --end;
    } else {
        while (*end != '\0' && *end != '\n' && !isBlank(*end) && !startsComment(end)) ++end;
    }
    *end = '\0';
    return value;
}

}  // namespace

void CKeyTable::clear() {
    for (std::string& line : lines_) std::string().swap(line);
    count_ = 0;
}

int CKeyTable::loadSection(SourceText& stream) {
    clear();
    std::string line;
    ReadMark mark = markRead(stream);
    while (const char* buffer = readSourceLine(line, stream)) {
        if (isSectionHeader(buffer)) {
            returnToMark(stream, mark);
            return count_;
        }
        if (!isBlankLine(buffer)) {
            if (int rc = runWithMemoryGuard([&] {
                    lines_[count_] = buffer;
                    return 0;
                })) {
                return rc;
            }
            numbers_[count_] = lineNumber;
            if (++count_ == kMaxKeyLines) return report(kTooManyKeywords);
        }
        mark = markRead(stream);
    }
    return count_;
}

char* CKeyTable::findValue(const char* key, bool wholeLine) {
    const std::size_t keyLength = std::strlen(key);
    for (int i = 0; i < count_; ++i) {
        char* text = skipBlanks(lines_[i].data());
        if (!startsWithIgnoringCase(text, key, keyLength)) continue;
        text = skipBlanks(text + keyLength);
        if (*text != '=') continue;
        char* value = cutValue(skipBlanks(text + 1), wholeLine);
        if (*value != '\0') return value;
        report(kKeyNoValue, key);
        return nullptr;
    }
    return nullptr;
}

char* CKeyTable::entryAt(int index, char* name, bool wholeLine) {
    if (index < 0 || index >= count_) return nullptr;
    char* text = skipBlanks(lines_[index].data());
    char* equals = std::strchr(text, '=');
    if (equals == nullptr) return nullptr;

    std::size_t nameLength = static_cast<std::size_t>(equals - text);
    if (nameLength > kKeyNameBufferSize - 1) nameLength = kKeyNameBufferSize - 1;
    std::memcpy(name, text, nameLength);
    while (nameLength > 0 && isBlank(name[nameLength - 1])) --nameLength;
    name[nameLength] = '\0';

    char* value = cutValue(skipBlanks(equals + 1), wholeLine);
    if (name[0] == '\0') return nullptr;
    if (*value != '\0') return value;
    report(kKeyNoValue, name);
    return nullptr;
}

int getKeyValue(CKeyTable& table, int keyId, char* destination, int size, bool required,
                bool wholeLine) {
    const char* name = keyName(keyId);
    if (const char* value = table.findValue(name, wholeLine)) {
        const std::size_t length = std::strlen(value);
        if (length > static_cast<std::size_t>(size - 1)) return report(kValueTooLong, name);
        std::memcpy(destination, value, length + 1);
        return 0;
    }
    return required ? report(kMustSetKey, name) : 0;
}
