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
    // The entries of the pairs kept, in the order [Text] takes them, until
    // the code table is filled.
    std::vector<uint32_t> pairs;
    PairCounts counts;
    // Rules left out, each with why (as written, then the reason).
    std::vector<std::pair<std::string, const char*>> rulesLeftOut;
};

// Takes from `table` what the code table will hold: the keys, the CharSet,
// the pairs kept and the words set aside. `charSet` is the CharSet asked
// for, or 0 to take the one of the six that writes the most single
// characters. The first ten characters the CharSet cannot write are
// reported (907) at their lines.
void takeTablePairs(DesktopTable& table, CharSet charSet, ImportedTable& imported);

// Fills the code table from the pairs taken and describes the method;
// `fileName` gives the ID when the table names none. The table's entries,
// weights and files are released as the code table takes them: whatever
// else reads them (the words) comes before.
void fillImportedMethod(DesktopTable& table, const std::string& fileName, ImportedTable& imported);

// Both, for a table whose words are not wanted.
void inputMethodFromTable(DesktopTable& table, CharSet charSet, const std::string& fileName,
                          ImportedTable& imported);
