// The characters of a desktop table in one of the six CharSets: which
// UTF-8 characters a set writes as one of its double-byte characters (and
// reads back), looked up in the set's tables.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/char_set_tables.h"
#include "foundation/char_sets.h"
#include "foundation/double_byte_character.h"
#include "foundation/text_encoding.h"

// The number of UTF-8 characters in `text` (UTF-8 throughout).
int utf8CharacterCount(std::string_view text);

class TableCharacters {
  public:
    explicit TableCharacters(CharSet charSet);
    CharSet charSet() const { return charSet_; }

    // The set's double-byte character for the UTF-8 character at the start
    // of `text`, whose length is `length`; the zero character when the set
    // has none, or when that character has no UTF-8 form to write back.
    DoubleByteCharacter bytesOf(std::string_view text, int length) const {
        return bytesOfPoint(codePointOf(text, length));
    }
    // The same for the character of code point `point`. Inline: asked for
    // each character of a table.
    DoubleByteCharacter bytesOfPoint(char32_t point) const {
        if (point < 0x80 || point >= 0x110000 || table_ == nullptr || !mayBeDoubleByte(point)) {
            return {};
        }
        const DoubleByteCharacter character{table_->packedOf(point)};
        if (character.packed == 0 || table_->pointOfCharacter(charSet_, character) == 0) return {};
        return character;
    }
    // Appends the set's bytes of every character of `text`; false when one
    // has none (`failed` is then that character).
    bool convert(std::string_view text, std::string& out, std::string_view& failed) const;

  private:
    bool mayBeDoubleByte(char32_t point) const;

    CharSet charSet_;
    const CharSetTable* table_;
    std::vector<uint64_t> mayBeBasic_;  // a bit a code point of the basic plane
};

// How many of `characters` (code points) the set writes.
int writtenCount(const std::vector<char32_t>& characters, TableCharacters& set);
int writtenCount(const std::vector<char32_t>& characters, CharSet charSet);

// The CharSet, of the six, that writes the most of `characters` (code
// points); a tie goes to the earlier in the CharSet table.
CharSet chooseCharSet(const std::vector<char32_t>& characters);

// The distinct characters of UTF-8 texts, by code point in the order met.
class DistinctCharacters {
  public:
    void add(std::string_view text) {
        const auto lead = static_cast<uint8_t>(text.empty() ? 0 : text[0]);
        // One character of three or four bytes, as most of a CJK table.
        if (text.size() == 3 && (lead & 0xF0) == 0xE0) {
            addPoint(codePointOf(text, 3));
        } else if (text.size() == 4 && (lead & 0xF8) == 0xF0) {
            addPoint(codePointOf(text, 4));
        } else {
            addAll(text);
        }
    }
    // Room for `characters` of them at once, so that they are not moved as
    // they grow.
    void reserve(std::size_t characters) { all_.reserve(characters); }
    const std::vector<char32_t>& all() const { return all_; }

  private:
    void addAll(std::string_view text);
    void addPoint(char32_t point) {
        if (point >= 0x110000) return;
        uint64_t& bits = seen_[point / 64];
        const uint64_t bit = uint64_t{1} << (point % 64);
        if ((bits & bit) == 0) {
            bits |= bit;
            all_.push_back(point);
        }
    }
    std::vector<uint64_t> seen_ = std::vector<uint64_t>(0x110000 / 64);  // a bit a code point
    std::vector<char32_t> all_;
};
