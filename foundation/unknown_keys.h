// Warnings for the lines of a key section that the section does not read: a
// name it does not know (often a key spelt otherwise) and a line without "=".
// They change nothing that is read.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "foundation/diagnostics.h"
#include "foundation/key_table.h"

// A name authors write for a key that is spelt otherwise, and the message,
// formatted with the name as written, that tells them the spelling.
struct KeySpelling {
    const char* written;
    Message message;
};

// The name of a key line as written: the text before its first "=", blanks
// around it removed; nothing when the line has no "=".
std::optional<std::string> keyLineName(const char* line);

// A line as the warnings quote it: cut at its line feed, blanks around it
// removed.
std::string quotedLine(const char* line);

// Reports a warning, quoting `text`, about line `index` of `table`, with the
// number of that line; the line number goes back to what it was.
void warnAtKeyLine(const CKeyTable& table, int index, const Message& message, const char* text);

// Reports 506 for every line of `table` that has no "=" or whose name is none
// of the keys `keyIds` (in any letter case); a name that `spellings` lists
// draws that spelling's message instead.
void warnUnknownKeys(const CKeyTable& table, std::span<const int> keyIds,
                     std::span<const KeySpelling> spellings = {});
