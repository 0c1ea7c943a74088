#include "foundation/source_reader.h"

#include <algorithm>
#include <cstring>

#include "foundation/diagnostics.h"
#include "foundation/input_file.h"
#include "foundation/text_helpers.h"

namespace {

// The piece of the text at `position`: a line, or its next `capacity` - 1
// characters when it is longer. A CR LF counts as one character, the line
// feed.
struct Piece {
    std::size_t taken;   // bytes of the text
    std::size_t length;  // characters
    bool crLf;           // ends with a CR LF
};

Piece pieceAt(const std::string& bytes, std::size_t position, int capacity) {
    const char* text = bytes.data() + position;
    const std::size_t available = bytes.size() - position;
    const auto room = static_cast<std::size_t>(capacity - 1);
    if (const void* found = std::memchr(text, '\n', std::min(available, room))) {
        const std::size_t taken = static_cast<const char*>(found) - text + 1;
        const bool crLf = taken >= 2 && text[taken - 2] == '\r';
        return {taken, crLf ? taken - 1 : taken, crLf};
    }
    if (available > room && text[room] == '\n' && text[room - 1] == '\r') {
        return {room + 1, room, true};
    }
    const std::size_t taken = std::min(available, room);
    return {taken, taken, false};
}

bool isCommentLine(const char* line) {
    const char* text = skipBlanks(line);
    return text[0] == '/' && text[1] == '/';
}

// Every section name starts with "[", so only the lines whose first
// character after blanks is one can open a section.
constexpr char kSectionOpening = '[';

bool opensSection(const std::string& bytes, const SectionStarts::Start& start, const char* name,
                  std::size_t nameLength) {
    std::size_t at = start.position;
    while (isBlank(bytes[at])) ++at;
    const Piece piece = pieceAt(bytes, start.position, kLineReadCapacity);
    return at + nameLength <= start.position + piece.taken &&
           startsWithIgnoringCase(bytes.data() + at, name, nameLength);
}

// Looks at the lines after the ones looked at before, up to the first that
// opens the section `name`; it is the last start then.
bool scanForSection(const std::string& bytes, SectionStarts& index, const char* name,
                    std::size_t nameLength) {
    while (index.scanned < bytes.size()) {
        const std::size_t position = index.scanned;
        const Piece piece = pieceAt(bytes, position, kLineReadCapacity);
        std::size_t at = position;
        while (at < position + piece.taken && isBlank(bytes[at])) ++at;
        index.lastLine = position;
        index.scanned += piece.taken;
        ++index.scannedLines;
        if (at < position + piece.taken && bytes[at] == kSectionOpening) {
            index.starts.push_back({position, index.scannedLines - 1});
            if (opensSection(bytes, index.starts.back(), name, nameLength)) return true;
        }
    }
    index.complete = true;
    return false;
}

// Reading goes on from the line at `position`, the line after `linesBefore`
// lines, which goes into the buffer.
void readLineAt(SourceReader& reader, std::size_t position, int linesBefore) {
    reader.stream.position = position;
    lineNumber = linesBefore;
    readPlainLine(reader.lineBuffer, kLineReadCapacity, reader.stream);
}

}  // namespace

bool openSource(SourceReader& reader, const char* name) {
    reader.stream = SourceText{};
    return readWholeFile(name, reader.stream.bytes) == FileRead::kRead;
}

char* readPlainLine(char* buffer, int capacity, SourceText& stream) {
    if (stream.position >= stream.bytes.size() || capacity < 2) return nullptr;
    const Piece piece = pieceAt(stream.bytes, stream.position, capacity);
    std::memcpy(buffer, stream.bytes.data() + stream.position, piece.length);
    if (piece.crLf) buffer[piece.length - 1] = '\n';
    buffer[piece.length] = '\0';
    stream.position += piece.taken;
    ++lineNumber;
    return buffer;
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

    // The search reads from the start of the text; it leaves the header
    // line found, or the text's last line, in the buffer.
    SectionStarts& index = reader.stream.sections;
    const std::string& bytes = reader.stream.bytes;
    const SectionStarts::Start* found = nullptr;
    for (const SectionStarts::Start& start : index.starts) {
        if (opensSection(bytes, start, name, nameLength)) {
            found = &start;
            break;
        }
    }
    if (found == nullptr && !index.complete && scanForSection(bytes, index, name, nameLength)) {
        found = &index.starts.back();
    }
    if (found != nullptr) {
        readLineAt(reader, found->position, found->linesBefore);
        currentSection = sectionId;
        return true;
    }
    if (index.scannedLines > 0) {
        readLineAt(reader, index.lastLine, index.scannedLines - 1);
    } else {
        reader.stream.position = 0;
        lineNumber = 0;
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
