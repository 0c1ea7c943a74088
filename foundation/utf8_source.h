// Sources in UTF-8: a source that begins with the byte-order mark, whose
// "[Description]" says "Encoding=UTF-8", or that says nothing of its encoding
// and reads as UTF-8 of its CharSet's characters, is converted into its CharSet's own
// bytes before any pass reads it, line by line, so that every line number,
// section and message comes out as for the same source written in the
// CharSet. The conversion knows which part of each line the passes read, so
// that it never changes what they read: a character the CharSet cannot hold
// is dropped quietly where no pass reads it, leaves out what the tool can do
// without (a character of a code line, the whole code line when it is in
// the code, the phrase) and stops the run anywhere else. The values of keys
// that name files are the file system's bytes and are kept as written.
#pragma once

#include <span>

#include "foundation/char_sets.h"
#include "foundation/diagnostics.h"
#include "foundation/source_reader.h"

// What a tool does with a line of one of its sections.
enum class LineUse {
    kRead,     // help text: every character is read
    kKeys,     // a key line: read up to the "//" after its "="
    kCodes,    // a code table line: the code and the characters after it
    kPhrases,  // a phrase line: the phrase, up to its first blank
};

struct SectionUse {
    int sectionId;
    LineUse use;
    bool toTheEnd;       // the section runs to the end of the source
    bool readsComments;  // "//" lines are part of it (the help text)
};

// A tool's sections and its texts for what it leaves out.
struct Utf8Reading {
    int descriptionId;
    std::span<const SectionUse> sections;
    Message leftOut;                    // 907, the character and the CharSet's name
    Message summary;                    // code 0: the count and the CharSet's name
    bool countsPhrases;                 // the summary counts phrases, not characters
    std::span<const int> fileNameKeys;  // keys of the description that name files
};

// Takes the byte-order mark off the source and converts a UTF-8 source
// whose CharSet is one of the six. Returns 0, or 907 or 908 after reporting it.
int readUtf8Source(SourceReader& reader, const Utf8Reading& reading);

// True when the last source read was UTF-8 and was converted to its CharSet.
bool sourceReadAsUtf8();

// The key of "[Description]" that says a source is UTF-8.
inline constexpr char kEncodingKey[] = "Encoding";

// True when the "Encoding" value names UTF-8.
bool namesUtf8(const char* encoding);

// The "Encoding" value (nullptr when there is none) of a source of `charSet`:
// UTF-8, or the CharSet's own name unless the source began with a byte-order
// mark. Returns 0, or 610 after reporting it.
int checkEncoding(const char* value, CharSet charSet);

// After message 900, 901 or 902 of a source read as its CharSet: when the
// line looks like UTF-8 text, the note that says so, once a run.
void noteUtf8Line(const char* line);
