// The characters of a desktop table in one of the six CharSets: which
// UTF-8 characters a set writes as one of its double-byte characters, asked
// of iconv once per character and then looked up.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
    // Inline for a character of three or four bytes asked before.
    DoubleByteCharacter bytesOf(std::string_view text, int length) {
        const auto byte = [&](int i) {
            return static_cast<char32_t>(static_cast<uint8_t>(text[i]));
        };
        uint32_t known = 0;
        if (length == 3) {
            known =
                basicPlane_[((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F)];
        } else if (length == 4) {
            const char32_t point = ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) |
                                   ((byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
            const std::size_t page =
                point >= 0x10000 && point < 0x110000 ? pageOf_[(point - 0x10000) >> 8] : 0;
            if (page != 0) known = pages_[page - 1][point & 0xFF];
        }
        if (known != 0) return {static_cast<uint16_t>(known & 0xFFFF)};
        return bytesOfAny(text, length);
    }
    // The same, out of line, for callers that keep what they asked.
    DoubleByteCharacter bytesOfAny(std::string_view text, int length);

    // The same for the character of code point `point` (below U+110000).
    DoubleByteCharacter bytesOfPoint(char32_t point);

    // Asks for all of `points` (code points below U+110000) at once what
    // bytesOfPoint would ask one by one: a table's characters cost a few
    // conversions instead of one each.
    void learn(const std::vector<char32_t>& points);

    // Appends the set's bytes of every character of `text`; false when one
    // has none (`failed` is then that character).
    bool convert(std::string_view text, std::string& out, std::string_view& failed);

  private:
    DoubleByteCharacter ask(std::string_view character);
    // Whether a double-byte character of the set has a UTF-8 form.
    bool writesBack(DoubleByteCharacter character);
    // What is known of a code point: 0 not asked, else kAsked | its packed
    // character.
    // The basic plane in one array; the other planes by pages of 256 code
    // points, each made when one of its points is first asked, so that tens
    // of thousands of characters there cost a few hundred kilobytes.
    uint32_t& knownOf(char32_t point);
    // mayBeDoubleByte, the basic plane looked up.
    bool mayBeDoubleByte(char32_t point) const;

    using Page = std::array<uint32_t, 256>;
    CharSet charSet_;
    CharSetConverter converter_;
    std::vector<uint64_t> mayBeBasic_;  // a bit a code point of the basic plane
    std::vector<uint32_t> basicPlane_;  // by code point
    std::vector<uint16_t> pageOf_;      // by code point / 256 past the basic plane: 0 none
                                        // yet, else its page + 1
    std::vector<Page> pages_;
    std::bitset<0x10000> backAsked_;  // by double-byte character
    std::bitset<0x10000> writtenBack_;
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
        const auto byte = [&](int i) {
            return static_cast<char32_t>(static_cast<uint8_t>(text[i]));
        };
        // One character of three or four bytes, as most of a CJK table.
        if (text.size() == 3 && (byte(0) & 0xF0) == 0xE0) {
            addPoint(((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F));
        } else if (text.size() == 4 && (byte(0) & 0xF8) == 0xF0) {
            addPoint(((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
                     (byte(3) & 0x3F));
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
