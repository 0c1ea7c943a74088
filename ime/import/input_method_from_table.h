// A desktop table as an InputMethod: the single characters it can use, the
// keys, the coding style that suits them, its names and rules; its words set
// aside for a phrase list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/desktop_tables/table_characters.h"
#include "ime/input_method.h"

// What was left out while the table's single characters were taken, by
// reason.
struct PairCounts {
    int codeNotPrintable = 0;
    int codeComment = 0;
    int codeTooLong = 0;
    int keyBeyond = 0;
    int repeated = 0;
    int cannotWrite = 0;
    int singleByte = 0;
    int kept = 0;
};

struct ImportedTable {
    // Its code table the (code, character) pairs kept, in the order [Text]
    // takes them; the lines are the source's (see numberImportedLines).
    InputMethod method;
    // The characters of the method's CharSet, as asked so far: the words
    // ask the same again.
    std::unique_ptr<TableCharacters> characters;
    std::vector<uint32_t> words;  // entries of two characters or more
    PairCounts counts;
    // Rules left out, each with why (as written, then the reason).
    std::vector<std::pair<std::string, const char*>> rulesLeftOut;
};

// Fills `imported` from `table`. `charSet` is the CharSet asked for, or 0 to
// take the one of the six that writes the most single characters. The first
// ten characters the CharSet cannot write are reported (907) at their lines.
// `fileName` gives the ID when the table names none.
void inputMethodFromTable(DesktopTable& table, CharSet charSet, const std::string& fileName,
                          ImportedTable& imported);
