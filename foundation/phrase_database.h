// PhraseDatabase: what a phrase database says, apart from its blocks. Phrase
// lists and databases are read into it; both are written from it. Both tools
// read phrase databases (Mabrel's lookup console too), so it lives here.
//
// The layout of the database (phrase_database.cpp) and the block geometry
// below are the one place that knows where a phrase lies: the writer, the
// reader, the compile that leaves out what does not fit, and statistics all
// ask them.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "foundation/char_sets.h"

// The character indices of the characters after the first of a phrase, at
// most 14. Up to seven are kept inside the record, so that a list of
// hundreds of thousands of phrases takes no block of memory for each and
// little room in all; a longer phrase keeps them in a block of its own.
class PhraseRest {
  public:
    static constexpr std::size_t kCapacity = 14;
    PhraseRest() = default;
    PhraseRest(std::initializer_list<uint16_t> indexes) {
        for (uint16_t index : indexes) push_back(index);
    }
    PhraseRest(const PhraseRest& other) {
        for (uint16_t index : other) push_back(index);
    }
    PhraseRest(PhraseRest&& other) noexcept { take(other); }
    PhraseRest& operator=(const PhraseRest& other) {
        if (this != &other) {
            PhraseRest copy(other);
            release();
            take(copy);
        }
        return *this;
    }
    PhraseRest& operator=(PhraseRest&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    ~PhraseRest() { release(); }

    // Ignores a character past the capacity.
    void push_back(uint16_t index) {
        if (size_ < kInline) {
            inline_[size_++] = index;
        } else if (size_ == kInline) {
            uint16_t* moved = new uint16_t[kCapacity];
            std::copy(inline_, inline_ + kInline, moved);
            moved[size_++] = index;
            std::memcpy(inline_, &moved, sizeof moved);
        } else if (size_ < kCapacity) {
            block()[size_++] = index;
        }
    }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const uint16_t* begin() const { return data(); }
    const uint16_t* end() const { return data() + size_; }
    uint16_t operator[](std::size_t i) const { return data()[i]; }
    bool operator==(const PhraseRest& other) const {
        return std::equal(begin(), end(), other.begin(), other.end());
    }

  private:
    static constexpr std::size_t kInline = 7;
    static_assert(kInline * sizeof(uint16_t) >= sizeof(uint16_t*));

    bool inBlock() const { return size_ > kInline; }
    uint16_t* block() const {
        uint16_t* at;
        std::memcpy(&at, inline_, sizeof at);
        return at;
    }
    uint16_t* data() { return inBlock() ? block() : inline_; }
    const uint16_t* data() const { return inBlock() ? block() : inline_; }
    void release() {
        if (inBlock()) delete[] block();
        size_ = 0;
    }
    // Takes what `other` holds, leaving it empty; this one holds nothing.
    void take(PhraseRest& other) {
        std::memcpy(inline_, other.inline_, sizeof inline_);
        size_ = other.size_;
        other.size_ = 0;
    }

    uint16_t inline_[kInline] = {};  // or, past kInline, the block's address
    uint8_t size_ = 0;
};

// One phrase under its first character: the characters after the first,
// and whether the handheld's user added it.
struct StoredPhrase {
    PhraseRest rest;
    bool user = false;
    bool operator==(const StoredPhrase&) const = default;
};

struct PhraseDatabase {
    CharSet charSet = 0;
    int maxPhraseLength = 0;   // 0: no limit was set and no phrase was kept
    uint32_t phraseCount = 0;  // as the head states it
    // By first character index: phrases[i] are the phrases that begin with
    // the character of index i, in database order. A database read back has
    // indexCount(charSet) lists; one to be written may have fewer.
    std::vector<std::vector<StoredPhrase>> phrases;
    // First characters, in index order, whose list holds words but no whole
    // phrase (its last phrase lacks its end). Only a damaged or foreign
    // database has them; the text names them with no phrase below.
    std::vector<uint16_t> unendedLists;
    bool operator==(const PhraseDatabase&) const = default;
};

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
// The words a phrase takes in its list.
std::size_t phraseWords(const StoredPhrase& phrase);
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
