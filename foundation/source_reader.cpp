#include "foundation/source_reader.h"

#include <cstring>

#include "foundation/diagnostics.h"
#include "foundation/input_file.h"
#include "foundation/text_helpers.h"

bool openSource(SourceReader& reader, const char* name) {
    reader.stream = SourceText{};
    return readWholeFile(name, reader.stream.bytes) == FileRead::kRead;
}

char* readPlainLine(char* buffer, int capacity, SourceText& stream) {
    const char* text = stream.bytes.data();
    const std::size_t size = stream.bytes.size();
    std::size_t at = stream.position;
    int length = 0;
    while (length < capacity - 1 && at < size) {
        char c = text[at++];
        if (c == '\r' && at < size && text[at] == '\n') {
            c = '\n';
            ++at;
        }
        buffer[length++] = c;
        if (c == '\n') break;
    }
    if (length == 0) return nullptr;
    stream.position = at;
    buffer[length] = '\0';
    ++lineNumber;
    return buffer;
}

static bool isCommentLine(const char* line) {
    const char* text = skipBlanks(line);
    return text[0] == '/' && text[1] == '/';
}

char* readSourceLine(char* buffer, int capacity, SourceText& stream) {
    while (readPlainLine(buffer, capacity, stream) != nullptr) {
        if (!isCommentLine(buffer)) return buffer;
    }
    return nullptr;
}

bool seekSection(SourceReader& reader, int sectionId) {
    const char* name = keyName(sectionId);
    if (name == nullptr) return false;
    const std::size_t nameLength = std::strlen(name);

    reader.stream.position = 0;
    lineNumber = 0;
    while (readSourceLine(reader.lineBuffer, kLineReadCapacity, reader.stream) != nullptr) {
        if (startsWithIgnoringCase(skipBlanks(reader.lineBuffer), name, nameLength)) {
            currentSection = sectionId;
            return true;
        }
    }
    return false;
}

ReadMark markRead(const SourceText& stream) {
    return {stream.position, lineNumber};
}

void returnToMark(SourceText& stream, const ReadMark& mark) {
    stream.position = mark.position;
    lineNumber = mark.lineNumber;
}
