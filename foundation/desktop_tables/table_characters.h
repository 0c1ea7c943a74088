// The characters of a desktop table in one of the six CharSets: which
// UTF-8 characters a set writes as one of its double-byte characters, asked
// of iconv once per character and then looked up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/text_encoding.h"

// The number of UTF-8 characters in `text` (UTF-8 throughout).
int utf8CharacterCount(std::string_view text);

class TableCharacters {
  public:
    explicit TableCharacters(CharSet charSet);
    CharSet charSet() const { return charSet_; }

    // The set's double-byte character (lead byte high) for the UTF-8
    // character at the start of `text`, whose length is `length`; 0 when the
    // set has none, or when that character has no UTF-8 form to write back.
    uint16_t bytesOf(std::string_view text, int length);

    // Appends the set's bytes of every character of `text`; false when one
    // has none (`failed` is then that character).
    bool convert(std::string_view text, std::string& out, std::string_view& failed);

    // The UTF-8 form of a double-byte character of the set.
    const std::string& utf8Of(uint16_t bytes);

  private:
    uint16_t ask(std::string_view character);

    CharSet charSet_;
    CharSetConverter converter_;
    std::vector<uint32_t> basicPlane_;  // by code point: 0 not asked, else kAsked | bytes
    std::unordered_map<char32_t, uint16_t> otherPlanes_;
    std::unordered_map<uint16_t, std::string> utf8_;
};

// The CharSet, of the six, that writes the most of `characters` (each one
// UTF-8 character); a tie goes to the earlier in the CharSet table.
CharSet chooseCharSet(const std::vector<std::string>& characters);

// The distinct UTF-8 characters of `texts`.
class DistinctCharacters {
  public:
    void add(std::string_view text);
    const std::vector<std::string>& all() const { return all_; }

  private:
    std::vector<bool> seen_ = std::vector<bool>(0x110000);
    std::vector<std::string> all_;
};
