#include "foundation/source_reader.h"

#include <cstring>

#include "foundation/diagnostics.h"
#include "foundation/text_helpers.h"

bool openSource(SourceReader& reader, const char* name) {
    reader.stream = openInputFile(name);
    return reader.stream != nullptr;
}

// Text-mode view of a byte stream: CR LF reads as LF, a lone CR stays.
static int getTextChar(std::FILE* stream) {
    int c = std::getc(stream);
    if (c != '\r') return c;
    int next = std::getc(stream);
    if (next == '\n') return '\n';
    if (next != EOF) std::ungetc(next, stream);
    return c;
}

char* readPlainLine(char* buffer, int capacity, std::FILE* stream) {
    int length = 0;
    while (length < capacity - 1) {
        int c = getTextChar(stream);
        if (c == EOF) break;
        buffer[length++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    // At the end of the stream the buffer keeps the last line read.
    if (length == 0) return nullptr;
    buffer[length] = '\0';
    ++lineNumber;
    return buffer;
}

static bool isCommentLine(const char* line) {
    const char* text = skipBlanks(line);
    return text[0] == '/' && text[1] == '/';
}

char* readSourceLine(char* buffer, int capacity, std::FILE* stream) {
    while (readPlainLine(buffer, capacity, stream) != nullptr) {
        if (!isCommentLine(buffer)) return buffer;
    }
    return nullptr;
}

bool seekSection(SourceReader& reader, int sectionId) {
    const char* name = keyName(sectionId);
    if (name == nullptr) return false;
    const std::size_t nameLength = std::strlen(name);

    std::rewind(reader.stream.get());
    lineNumber = 0;
    while (readSourceLine(reader.lineBuffer, kLineReadCapacity, reader.stream.get()) != nullptr) {
        if (startsWithIgnoringCase(skipBlanks(reader.lineBuffer), name, nameLength)) {
            currentSection = sectionId;
            return true;
        }
    }
    return false;
}

ReadMark markRead(std::FILE* stream) { return {std::ftell(stream), lineNumber}; }

void returnToMark(std::FILE* stream, const ReadMark& mark) {
    std::fseek(stream, mark.position, SEEK_SET);
    lineNumber = mark.lineNumber;
}
