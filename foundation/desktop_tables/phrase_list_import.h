// The words of a desktop table or word list as a phrase database and as the
// phrase list text for Tosker: each word once, in weight order (ties in
// reading order), UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/desktop_tables/table_characters.h"
#include "foundation/phrase_database.h"

struct WordCounts {
    int kept = 0;
    int oneCharacter = 0;
    int tooLong = 0;
    int cannotWrite = 0;
    int repeated = 0;
};

struct ImportedWords {
    // The words kept, their characters in the pool. Where the texts are
    // written, they are filed by first character, a word's place among those
    // of its first character being its place in weight order; where not, the
    // database holds no phrases yet, and `starts` and `lengths` say where each
    // word lies in the pool.
    PhraseDatabase database;
    std::vector<uint32_t> weightOrder;  // the numbers of database.phrases in weight order
    std::vector<uint32_t> starts;       // by weight: where each word starts in the pool
    std::vector<uint8_t> lengths;       // by weight: each word's length
    std::string text;                   // the phrase list, when it is written
    // With TableAfterWords::kReleased: the table's list of what it left out
    // (importLeftOutText), written before its texts went.
    std::string tableLeftOut;
    // What would stop a compile of it without /f, or empty: "2,048 words for
    // one first character", "65,535 bytes in a phrase block".
    std::string limitPassed;
};

// Whether an import writes its texts, or compiles straight from its records.
enum class ImportText { kWritten, kNotWritten };

// Whether the caller reads the table's entries and weights after its words
// are imported, or they may go as soon as the import is done with them: the
// entries and texts once the words are kept and the table's list of what it
// left out is written, so that the buffers made after take their memory.
enum class TableAfterWords { kKept, kReleased };

// Imports the words of the entries numbered `words` (in reading order). A
// repeated word keeps its largest weight.
void importWords(DesktopTable& table, std::vector<uint32_t> words, TableCharacters& set,
                 WordCounts& counts, ImportedWords& imported, ImportText text,
                 TableAfterWords after = TableAfterWords::kKept);

// A word in a list of words by weight, as fileWords reads it: its length,
// and whether it is left out.
inline constexpr uint8_t kWordLength = 0x3F;
inline constexpr uint8_t kWordLeftOut = 0x40;

// Files into db.phrases, by first character, each list in the order of
// `words`, those of `words` not left out; each starts in db.characters
// where `starts` (by word) says, its first character below
// indexCount(db.charSet). `places`, where given, gets the place in
// db.phrases of each word filed, in that order.
void fileWords(PhraseDatabase& db, const std::vector<uint32_t>& starts,
               const std::vector<uint8_t>& words, std::vector<uint32_t>* places);

// One line for each reason words were left out, with its count (none for
// a count of 0).
void reportWordCounts(const WordCounts& counts, CharSet charSet);

// The phrase list's name beside an input-method source `destination`: its
// last four characters replaced by "-phrases.txt" when they are ".txt" in
// any letter case, else "-phrases.txt" appended.
std::string phraseListName(const std::string& destination);
