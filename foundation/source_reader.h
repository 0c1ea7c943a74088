// Reading of a sectioned source text: lines with comment skipping and line
// counting, and the search of a section by name from the start of the text.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

// Where the lines that may open a section stand ("[" after blanks), found
// by the section searches as far as they have looked.
struct SectionStarts {
    struct Start {
        std::size_t position;
        int linesBefore;
    };
    std::vector<Start> starts;
    std::size_t scanned = 0;   // where the lines not looked at yet start
    int scannedLines = 0;      // the lines before that
    bool complete = false;     // every line looked at
    std::size_t lastLine = 0;  // once complete: where the text's last line starts
};

// The whole source in memory and the position reading has reached. It is
// read as text: a CR right before a LF is dropped. The bytes never change
// once read: another text is a new SourceText, with sections of its own.
struct SourceText {
    std::string bytes;
    std::size_t position = 0;
    SectionStarts sections{};
};

// The source and the line every source line is read into.
struct SourceReader {
    SourceText stream;
    std::string lineBuffer;
};

// Reads the whole source; false when it cannot be opened or read, or is
// larger than kMaxInputFileBytes.
bool openSource(SourceReader& reader, const char* name);
// The same, reporting a failure: 0, or 100 (cannot be opened or read) or 101
// (too large, refused before it is read whole) after its message.
int loadSource(SourceReader& reader, const char* name);

// Reads the next line whole, whatever its length, into `line`: the line feed
// kept, a CR LF read as a line feed. Adds 1 to lineNumber. Returns the line's
// characters, or nullptr at the end of the text, leaving `line` as it was.
char* readPlainLine(std::string& line, SourceText& stream);

// The line that starts at `position` into `line` as readPlainLine reads it,
// without moving or counting; how many bytes of the text it takes.
std::size_t copyLineAt(const SourceText& stream, std::size_t position, std::string& line);

// Where the line after the one that holds `at` starts: past the next line
// feed, or the text's end.
inline std::size_t nextLineStart(const SourceText& stream, const char* at) {
    const std::string& bytes = stream.bytes;
    const char* const end = bytes.data() + bytes.size();
    const void* feed = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
    return feed != nullptr
               ? static_cast<std::size_t>(static_cast<const char*>(feed) - bytes.data()) + 1
               : bytes.size();
}

// The next line that is not a comment ("//" after leading blanks); comment
// lines are counted too. Returns nullptr at the end of the text.
char* readSourceLine(std::string& line, SourceText& stream);

// True for a comment line: "//" after leading blanks.
bool isCommentLine(const char* line);

// Calls `visit` with the start of each line readSourceLine would read from
// here on, where it stands in the text, without reading it: the line runs to
// its line feed (a CR before it is the line's last byte), the text after it
// follows. For a look over what is left; nothing moves, nothing is counted.
template <class Visit>
void forEachLineAhead(const SourceText& stream, Visit visit) {
    for (std::size_t at = stream.position; at < stream.bytes.size();) {
        const char* line = stream.bytes.data() + at;
        at = nextLineStart(stream, line);
        if (!isCommentLine(line)) visit(line);
    }
}

// Reads the lines left: each where it stands when `inPlace` takes it (true,
// having moved the reading past it and counted it), else through the line
// buffer, `take` reading it there (0 to go on, or a status that stops the
// reading). The buffer ends holding the line read last either way, as a
// reading through it leaves it. Returns the status that stopped, or 0.
template <class InPlace, class Take>
int readLinesLeft(SourceReader& reader, InPlace inPlace, Take take) {
    SourceText& stream = reader.stream;
    constexpr std::size_t kNone = std::string::npos;
    std::size_t lastInPlace = kNone;
    for (;;) {
        const std::size_t before = stream.position;
        if (before < stream.bytes.size() && inPlace()) {
            lastInPlace = before;
            continue;
        }
        const char* line = readSourceLine(reader.lineBuffer, stream);
        if (stream.position != before) lastInPlace = kNone;
        if (line == nullptr) break;
        if (int rc = take()) return rc;
    }
    if (lastInPlace != kNone) copyLineAt(stream, lastInPlace, reader.lineBuffer);
    return 0;
}

// Goes back to the start of the text and finds the first line that starts,
// after blanks, with the section's name in any letter case. On success the
// section becomes current and reading stands after its header line.
bool seekSection(SourceReader& reader, int sectionId);

// Where reading stands and how many lines were read, so that a reader can
// give back a line it does not own (the next section's header).
struct ReadMark {
    std::size_t position;
    int lineNumber;
};
ReadMark markRead(const SourceText& stream);
void returnToMark(SourceText& stream, const ReadMark& mark);
