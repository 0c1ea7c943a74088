// Reading of a sectioned source text: lines with comment skipping and line
// counting, and the search of a section by name from the start of the file.
#pragma once

#include <cstdio>

#include "foundation/file_handle.h"

inline constexpr int kLineBufferSize = 512;
inline constexpr int kLineReadCapacity = 511;

// The source stream and the line buffer every source line is read into.
// The stream is read as text: a CR right before a LF is dropped.
struct SourceReader {
    FileHandle stream;
    char lineBuffer[kLineBufferSize] = {};
};

// Opens the source for reading; false when it cannot be opened.
bool openSource(SourceReader& reader, const char* name);

// One bounded line read: at most capacity - 1 characters, the line feed kept.
// Adds 1 to lineNumber. Returns nullptr at the end of the stream.
char* readPlainLine(char* buffer, int capacity, std::FILE* stream);

// The next line that is not a comment ("//" after leading blanks); comment
// lines are counted too. Returns nullptr at the end of the stream.
char* readSourceLine(char* buffer, int capacity, std::FILE* stream);

// Rewinds the source and finds the first line that starts, after blanks, with
// the section's name in any letter case. On success the section becomes
// current and the stream stands after its header line.
bool seekSection(SourceReader& reader, int sectionId);

// Where the stream stands and how many lines were read, so that a reader can
// give back a line it does not own (the next section's header).
struct ReadMark {
    long position;
    int lineNumber;
};
ReadMark markRead(std::FILE* stream);
void returnToMark(std::FILE* stream, const ReadMark& mark);
