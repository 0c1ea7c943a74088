// Tosker /i: a word list (rime dictionary, essay.txt, frequency list, plain
// list) written as a phrase list.
#pragma once

#include "foundation/char_sets.h"
#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/desktop_tables/phrase_list_import.h"

// What an import makes of a word list, in memory, before anything is written.
struct ImportedWordList {
    DesktopTable table;  // its entries and files released: the names read stay
    CharSet charSet = 0;
    WordCounts counts;
    ImportedWords list;
    std::string leftOutList;  // the entries left out, listed (handed over to the writing)
    bool leftAnyOut = false;
};

// Reads `list` into `words`, with the import's messages up to the entries
// read; `text` says whether the phrase list is written too. Returns 0 or
// the number of the message that stopped it (510 when no word is kept).
int importWordListText(CharSet charSet, const char* list, ImportText text, ImportedWordList& words);

// What was left out, one line for each reason, then where the entries left
// out are listed (`listName`).
void reportWordListLeftOut(const ImportedWordList& words, const std::string& listName);

// Reads `list` and writes the phrase list `destination`. `charSet` is the
// CharSet asked for, or 0 to choose one. Returns 0 or the number of the
// message that stopped it.
int importWordList(CharSet charSet, const char* list, const char* destination);
