// The six double-byte character sets: names, identifiers, which bytes form a
// double-byte character, and the dense character index of every character.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/double_byte_character.h"

using CharSet = uint16_t;

inline constexpr CharSet kChineseGB = 0x10;
inline constexpr CharSet kChineseBIG5 = 0x11;
inline constexpr CharSet kChineseGBK = 0x12;
inline constexpr CharSet kJapaneseJIS = 0x20;
inline constexpr CharSet kJapaneseSJIS = 0x21;
inline constexpr CharSet kKoreanKSC = 0x30;

// One row of the CharSet table: the identifier and a NUL-padded name.
struct CharSetEntry {
    CharSet id;
    char name[20];
};
inline constexpr int kCharSetCount = 6;
extern const CharSetEntry kCharSetTable[kCharSetCount];

// The identifier whose name equals `name` in any letter case; 0 when none.
CharSet charSetFromName(const char* name);
// The table's spelling of the name; nullptr for an unknown identifier.
const char* charSetName(CharSet charSet);

bool isLeadByte(CharSet charSet, uint8_t byte);
// The position after the character at `text` (one or two bytes).
const char* nextChar(CharSet charSet, const char* text);
// True when at least two bytes are available and they form one character.
bool startsWithDoubleByteChar(CharSet charSet, const char* text, uint16_t available);
// The character index of the character at `text`.
int charToIndex(CharSet charSet, const char* text);
// Writes the bytes of character `index` (and a NUL when there is room);
// returns the number of character bytes, 0 on failure.
int indexToChar(CharSet charSet, unsigned index, char* buffer, uint16_t size);
// True when `index` is a double-byte character of the set: inside its index
// space and not a position whose bytes form no character (GBK's trail 7F).
bool isCharacterIndex(CharSet charSet, unsigned index);
// 256 plus the number of double-byte positions of the set.
int indexCount(CharSet charSet);

// One area of a CharSet's index space: the characters of a range of lead
// bytes, numbered from `firstIndex`.
struct IndexArea {
    int firstIndex;
    int count;
};
// The areas of a set, in index order.
std::vector<IndexArea> indexAreas(CharSet charSet);

// A CharSet's lead and trail bytes as tables, for loops over much text:
// startsChar(text) is startsWithDoubleByteChar(charSet, text, 2).
class LeadTrailBytes {
  public:
    explicit LeadTrailBytes(CharSet charSet);
    bool startsChar(const char* text) const {
        return lead_[static_cast<uint8_t>(text[0])] && trail_[static_cast<uint8_t>(text[1])];
    }

  protected:
    std::array<bool, 256> lead_{};
    std::array<bool, 256> trail_{};
};

// The same with the character indexes: indexOf(text) is
// charToIndex(charSet, text) for a character that startsChar(text).
class DoubleByteTable : public LeadTrailBytes {
  public:
    explicit DoubleByteTable(CharSet charSet);
    int indexOf(const char* text) const { return index_[DoubleByteCharacter::of(text).packed]; }

  private:
    std::vector<uint16_t> index_;  // by lead byte x 256 + trail byte
};

// The bytes of every character index of a CharSet, for writing many
// characters: append(index, text) appends what indexToChar writes.
class CharacterBytes {
  public:
    explicit CharacterBytes(CharSet charSet);
    unsigned count() const { return static_cast<unsigned>(lengths_.size()); }
    void append(unsigned index, std::string& text) const {
        text.append(&bytes_[2 * index], lengths_[index]);
    }
    // Puts them at `out`, which has room for two bytes; returns how many.
    std::size_t put(unsigned index, char* out) const {
        std::memcpy(out, &bytes_[2 * index], 2);
        return lengths_[index];
    }

  private:
    std::vector<char> bytes_;       // two per index
    std::vector<uint8_t> lengths_;  // by index: 0, 1 or 2
};
