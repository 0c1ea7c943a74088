// Reading a desktop table or a word list whatever its format: the format is
// told by the content, not by the file's name.
#pragma once

#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/desktop_tables/table_text.h"

// Reads an input-method table (.cin, fcitx, SCIM/ibus-table or rime). Returns
// 0, or the number of a message it reported. `recognised` is false, with
// nothing reported, when the file is in none of these formats.
int readInputMethodTable(const char* name, const TableReading& reading, DesktopTable& table,
                         bool& recognised);

// Reads a word list: a rime dictionary (its text and weight columns) or
// lines of a word and optional columns. Returns 0, or the number of a
// message it reported.
int readWordList(const char* name, const TableReading& reading, DesktopTable& table);

// Whether `name` is an input-method table that Mabrel /i reads, with single
// characters in it (asked quietly, after a word list was found empty).
bool holdsSingleCharacters(const char* name);
