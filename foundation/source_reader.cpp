#include "foundation/source_reader.h"

#include <algorithm>
#include <cstring>

#include "foundation/common_messages.h"
#include "foundation/diagnostics.h"
#include "foundation/input_file.h"
#include "foundation/text_helpers.h"

namespace {

// The line of the text at `position`. A CR LF counts as one character, the
// line feed.
struct Line {
    std::size_t taken;   // bytes of the text
    std::size_t length;  // characters
    bool crLf;           // ends with a CR LF
};

Line lineAt(const std::string& bytes, std::size_t position) {
    const char* text = bytes.data() + position;
    const std::size_t available = bytes.size() - position;
    if (const void* found = std::memchr(text, '\n', available)) {
        const std::size_t taken = static_cast<const char*>(found) - text + 1;
        const bool crLf = taken >= 2 && text[taken - 2] == '\r';
        return {taken, crLf ? taken - 1 : taken, crLf};
    }
    return {available, available, false};
}

// Every section name starts with "[", so only the lines whose first
// character after blanks is one can open a section.
constexpr char kSectionOpening = '[';

bool opensSection(const std::string& bytes, const SectionStarts::Start& start, const char* name,
                  std::size_t nameLength) {
    std::size_t at = start.position;
    while (isBlank(bytes[at])) ++at;
    const Line line = lineAt(bytes, start.position);
    return at + nameLength <= start.position + line.taken &&
           startsWithIgnoringCase(bytes.data() + at, name, nameLength);
}

// Where the line holding `at` starts: after the last line feed before it,
// but not before `from`, where a line starts.
const char* lineStartOf(const char* from, const char* at) {
    while (at > from && at[-1] != '\n') --at;
    return at;
}

int lineFeedsFrom(const char* from, const char* end) {
    return static_cast<int>(
        lineFeedsIn(std::string_view(from, static_cast<std::size_t>(end - from))));
}

// Looks at the lines after the ones looked at before, up to the first that
// opens the section `name`; it is the last start then. Only the lines with
// a "[" can open one: the search goes from one "[" to the next, counting
// the lines passed.
bool scanForSection(const std::string& bytes, SectionStarts& index, const char* name,
                    std::size_t nameLength) {
    const char* const text = bytes.data();
    const char* const end = text + bytes.size();
    while (index.scanned < bytes.size()) {
        const char* from = text + index.scanned;
        const auto* open = static_cast<const char*>(
            std::memchr(from, kSectionOpening, static_cast<std::size_t>(end - from)));
        if (open == nullptr) {
            // No line left opens a section: the last one is the text's last line.
            const bool endsInFeed = end[-1] == '\n';
            index.lastLine = lineStartOf(from, endsInFeed ? end - 1 : end) - text;
            index.scannedLines += lineFeedsFrom(from, end) + (endsInFeed ? 0 : 1);
            index.scanned = bytes.size();
            break;
        }
        const char* lineStart = lineStartOf(from, open);
        index.scannedLines += lineFeedsFrom(from, lineStart);
        const std::size_t position = lineStart - text;
        const Line line = lineAt(bytes, position);
        index.lastLine = position;
        index.scanned = position + line.taken;
        ++index.scannedLines;
        if (std::all_of(lineStart, open, isBlank)) {
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
    readPlainLine(reader.lineBuffer, reader.stream);
}

}  // namespace

bool isCommentLine(const char* line) {
    const char* text = skipBlanks(line);
    return text[0] == '/' && text[1] == '/';
}

bool openSource(SourceReader& reader, const char* name) {
    reader.stream = SourceText{};
    return readWholeFile(name, reader.stream.bytes) == FileRead::kRead;
}

int loadSource(SourceReader& reader, const char* name) {
    reader.stream = SourceText{};
    // A source that cannot be read whole is one that cannot be opened.
    return readInputFile(name, reader.stream.bytes, kOpenFileFail);
}

std::size_t copyLineAt(const SourceText& stream, std::size_t position, std::string& line) {
    const Line found = lineAt(stream.bytes, position);
    line.assign(stream.bytes, position, found.length);
    if (found.crLf) line.back() = '\n';
    return found.taken;
}

char* readPlainLine(std::string& line, SourceText& stream) {
    if (stream.position >= stream.bytes.size()) return nullptr;
    stream.position += copyLineAt(stream, stream.position, line);
    ++lineNumber;
    return line.data();
}

char* readSourceLine(std::string& line, SourceText& stream) {
    while (readPlainLine(line, stream) != nullptr) {
        if (!isCommentLine(line.c_str())) return line.data();
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
