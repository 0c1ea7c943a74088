// The phrase list text of a PhraseDatabase, in two forms. As Tosker writes
// a database back: the [Description] keys, then under [Phrase] each first
// character with phrases as a comment line, its phrases one a line
// (",USER" after a user phrase) and an empty line. As an import writes the
// words of a table or word list: the keys, then the phrases one a line in
// the order given, for a text in UTF-8.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/phrase_database.h"

// The text a phrase list is written in: the CharSet's own bytes, or UTF-8
// (then it says "Encoding=UTF-8"; the text itself is still in the CharSet's
// bytes and converted afterwards).
enum class PhraseText { kCharSet, kUtf8 };

// The text of `db`; `phrases` is the number of phrase lines it holds.
std::string phraseListText(const PhraseDatabase& db, PhraseText encoding, uint32_t& phrases);

// The UTF-8 form of each character index of a table's words, as the table
// spells it (a CharSet may write two or more UTF-8 characters the same way).
class CharacterSpellings {
  public:
    explicit CharacterSpellings(std::size_t count) : bytes_(count), lengths_(count) {}
    // The spelling of `index`, its bytes in one number (0 when none is set).
    uint32_t spelling(std::size_t index) const { return bytes_[index]; }
    static uint32_t packed(std::string_view utf8) {
        uint32_t bytes = 0;
        if constexpr (std::endian::native == std::endian::little) {
            // Byte by byte: a copy of three bytes into the number is three
            // stores that a load of the whole number must wait for.
            for (std::size_t i = utf8.size(); i-- > 0;) {
                bytes = bytes << 8 | static_cast<uint8_t>(utf8[i]);
            }
        } else {
            std::memcpy(&bytes, utf8.data(), utf8.size());
        }
        return bytes;
    }
    void set(std::size_t index, std::string_view utf8) {
        bytes_[index] = packed(utf8);
        lengths_[index] = static_cast<uint8_t>(utf8.size());
    }
    // Puts the spelling at `out`, which has room for four bytes; returns
    // its length.
    std::size_t put(unsigned index, char* out) const {
        std::memcpy(out, &bytes_[index], sizeof bytes_[index]);
        return lengths_[index];
    }

  private:
    std::vector<uint32_t> bytes_;  // up to four bytes of UTF-8
    std::vector<uint8_t> lengths_;
};

// The imported list of `db`, in UTF-8: the phrases numbered `order`, in
// that order, each character spelled as `spellings` says.
std::string importedListText(const PhraseDatabase& db, std::span<const uint32_t> order,
                             const CharacterSpellings& spellings);
