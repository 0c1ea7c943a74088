// PhraseDatabase: what a phrase database says, apart from its blocks. Phrase
// lists and databases are read into it; both are written from it. Both tools
// read phrase databases (Mabrel's lookup console too), so it lives here.
//
// The layout of the database (phrase_database.cpp) and the block geometry
// below are the one place that knows where a phrase lies: the writer, the
// reader, the compile that leaves out what does not fit, and statistics all
// ask them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "foundation/char_sets.h"

// One phrase: its characters, the first included, are `length` character
// indexes from `start` in the database's pool; `user` when the handheld's
// user added it (a marker word in the database says so).
struct StoredPhrase {
    uint32_t start = 0;
    uint8_t length = 0;
    bool user = false;
    bool operator==(const StoredPhrase&) const = default;
};

// The phrases of a database, grouped by first character. Text is held as
// character indexes of the CharSet (a phrase list's bytes, whoever filled
// it, are the CharSet's bytes before they become indexes). The phrases lie
// in one array, those of each first character together in database order
// and the first characters in index order; their characters lie in one
// pool. Fill it with addPhrase, in first-character order, then closeLists.
struct PhraseDatabase {
    CharSet charSet = 0;
    int maxPhraseLength = 0;  // 0: no limit was set and no phrase was kept
    // The count a database read back states in its head; a head written
    // counts the phrases afresh.
    uint32_t statedPhraseCount = 0;
    std::vector<uint16_t> characters;
    std::vector<StoredPhrase> phrases;
    // By first character index i: its phrases are phrases[listStarts[i]] up
    // to phrases[listStarts[i + 1]]. A database read back covers every index
    // of its CharSet; one to be written may cover fewer.
    std::vector<uint32_t> listStarts;
    // First characters, in index order, whose list holds words but no whole
    // phrase (its last phrase lacks its end). Only a damaged or foreign
    // database has them; the text names them with no phrase below.
    std::vector<uint16_t> unendedLists;
    bool operator==(const PhraseDatabase&) const = default;

    std::size_t listCount() const { return listStarts.empty() ? 0 : listStarts.size() - 1; }
    std::span<const StoredPhrase> list(std::size_t index) const {
        if (index >= listCount()) return {};
        return std::span(phrases).subspan(listStarts[index],
                                          listStarts[index + 1] - listStarts[index]);
    }
    std::span<const uint16_t> text(const StoredPhrase& phrase) const {
        return std::span(characters).subspan(phrase.start, phrase.length);
    }
    // The characters after the first.
    std::span<const uint16_t> rest(const StoredPhrase& phrase) const {
        return text(phrase).subspan(1);
    }
};

// Files the phrase `text` (its first character first) after the phrases
// already filed, whose first characters are not above its own.
void addPhrase(PhraseDatabase& db, std::span<const uint16_t> text, bool user = false);
// Ends the lists once every phrase is filed, `count` lists in all.
void closeLists(PhraseDatabase& db, std::size_t count);

// The container's type of a phrase database.
inline constexpr char kPhraseDatabaseType[] = "CIZU";

// Block geometry. The first characters from index 256 on are taken 256 at a
// time; each such block is one "DATA" body, and the list of a first
// character is one run of 16-bit words in its block's body.
inline constexpr int kFirstPhraseIndex = 256;
inline constexpr int kCharactersPerBlock = 256;
// Offsets inside a body are 16-bit, so no body may pass this size.
inline constexpr std::size_t kMaxBlockBytes = 65535;
// The words that the phrases of one first character may take together.
inline constexpr std::size_t kMaxListWords = 2048;

// The number of blocks of a CharSet: every double-byte character has one.
int phraseBlockCount(CharSet charSet);
inline int blockOfIndex(int index) {
    return (index - kFirstPhraseIndex) / kCharactersPerBlock;
}
inline int positionInBlock(int index) {
    return (index - kFirstPhraseIndex) % kCharactersPerBlock;
}
inline int blockFirstIndex(int block) {
    return kFirstPhraseIndex + block * kCharactersPerBlock;
}
// The characters a phrase holds, the first included.
inline constexpr int kMinPhraseLength = 2;
inline constexpr int kMaxPhraseLength = 15;

// The words a phrase of `length` characters takes in its list: one for
// each character after the first, and a marker for a user phrase.
inline std::size_t phraseWords(std::size_t length, bool user) {
    return length - 1 + (user ? 1 : 0);
}
// The size of a block body whose first position with words is `first` (256
// when none has) and whose lists take `words` words in all.
std::size_t blockBodyBytes(int first, std::size_t words);

// The largest phrase database: the head and the blocks of the CharSet with
// the most, each block as large as a body may be.
std::size_t largestPhraseDatabaseBytes();

// The database file of `db`, stamped with `date` (seconds since 1904). The
// result is -1 when `image` holds it, or else the number of the first block
// whose body would pass kMaxBlockBytes (`image` is then of no use).
inline constexpr int kEveryBlockFits = -1;
int encodePhraseDatabase(const PhraseDatabase& db, uint32_t date, std::vector<uint8_t>& image);

struct DatabaseFile;

enum class PhraseDecoding { kDecoded, kNoHead, kOtherVersion, kDamaged };

// Reads the "HEAD" and "DATA" resources of a database whose container has
// been read with every body reaching to the end of the file. A database is
// damaged when its head or directory does not describe the blocks of its
// CharSet, when its maxPhraseLength is outside 2 to 15 or below its longest
// phrase, or when a list of a first character holds a word that is no
// character of the CharSet, a phrase of one character or of more than 15, or
// is the list of no character. What `db` holds after a failure is of no use.
PhraseDecoding decodePhraseDatabase(const DatabaseFile& file, PhraseDatabase& db);
