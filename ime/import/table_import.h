// Mabrel /i: a desktop input-method table written as a Mabrel source, its
// words as a Tosker phrase list beside it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/desktop_tables/phrase_list_import.h"
#include "foundation/output_file.h"
#include "ime/import/input_method_from_table.h"
#include "ime/source/ime_source_writer.h"

// What an import makes of a table, in memory, before anything is written:
// its texts, or the records they would be written from.
struct ImportedTexts {
    DesktopTable table;         // its entries and files released: the names read stay
    CharSet charSet = 0;        // the CharSet the texts are written for
    std::string source;         // the Mabrel source, UTF-8
    std::string phraseList;     // the phrase list, UTF-8; written when words.kept > 0
    std::string sourceLimit;    // what the source passes of the format, or empty
    std::string listLimit;      // the same for the phrase list
    std::string leftOutList;    // the entries left out, listed (handed over to the writing)
    bool leftAnyOut = false;    // some entry or line was left out
    InputMethod method;         // the records, when the texts are not written
    PictureNames pictureNames;  // the names the source gives its pictures
    std::optional<KeyboardPictures> keyboard;  // drawn for the source, when the fonts are there
    ImportedWords list;
    PairCounts pairs;
    WordCounts words;
    std::vector<std::pair<std::string, const char*>> rulesLeftOut;
    // Where the entries left out are listed (the caller names it), and that
    // list written ahead, while the table it quotes is at hand; where that
    // could not be done, leftOutList holds it.
    std::string leftOutName;
    std::unique_ptr<OutputFile> leftOutFile;
};

// Reads `table` into `texts`, with the import's messages up to the entries
// read (907 included); `text` says whether the texts are written or the
// records kept. Returns 0 or the number of the message that stopped it.
int importTableTexts(CharSet charSet, const char* table, ImportText text, ImportedTexts& texts);

// What was kept ("N single characters and N words kept").
void reportImportKept(const ImportedTexts& texts);
// What was left out, one line for each reason, then where the entries left
// out are listed (`listName`) and the rules left out.
void reportImportLeftOut(const ImportedTexts& texts, const std::string& listName);

// Reads `table` and writes `destination` (and its phrase list when the table
// has words). `charSet` is the CharSet asked for, or 0 to choose one.
// Returns 0 or the number of the message that stopped it.
int importTable(CharSet charSet, const char* table, const char* destination);
