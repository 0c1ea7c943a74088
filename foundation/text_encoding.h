// UTF-8 and the six character sets: one character at a time, looked up in the
// set's tables (char_set_tables.h), which hold what the C library's iconv
// answers. Each set has a mapping it prefers and others that answer where it
// has none, in both directions; what the tables do not cover (text that is
// not one character) is asked of the mappings themselves.
#pragma once

#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foundation/char_set_tables.h"
#include "foundation/char_sets.h"

// The length of the UTF-8 character at the start of `text` (1 to 4), or 0
// when the bytes there are no UTF-8 character (a stray or missing trail byte,
// an overlong form, a surrogate, a value above U+10FFFF).
int utf8Length(std::string_view text);

// The length of the character that `lead` starts, in text known to be UTF-8.
inline int utf8LengthFromLead(char lead) {
    const auto byte = static_cast<uint8_t>(lead);
    return byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
}

// The code point of the UTF-8 character of `length` bytes (1 to 4) that
// `text` starts with, in text known to be UTF-8.
inline char32_t codePointOf(std::string_view text, int length) {
    const auto byte = [&](int i) { return static_cast<char32_t>(static_cast<uint8_t>(text[i])); };
    switch (length) {
        case 1:
            return byte(0);
        case 2:
            return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
        case 3:
            return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
        default:
            return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
                   (byte(3) & 0x3F);
    }
}

// Appends the UTF-8 form of `point`, a code point of a character (not a
// surrogate, at most U+10FFFF).
void appendUtf8(char32_t point, std::string& text);

// True when `text` is UTF-8 throughout.
bool isUtf8(std::string_view text);

// True when `text` is UTF-8 throughout and holds a character of three bytes
// or more: what a CJK text in UTF-8 is, and short texts of the double-byte
// sets that happen to be UTF-8 (of two-byte characters only) are not.
bool looksLikeUtf8(std::string_view text);

class CharSetConverter {
  public:
    // `tablesFirst`: characters are looked up in the set's tables where the
    // program has them; false asks the mappings everything.
    explicit CharSetConverter(CharSet charSet, bool tablesFirst = true);
    ~CharSetConverter();
    CharSetConverter(const CharSetConverter&) = delete;
    CharSetConverter& operator=(const CharSetConverter&) = delete;

    // The set's bytes for one UTF-8 character: itself for ASCII, else one
    // double-byte character of the set, from the first mapping that writes
    // it; empty when none can.
    std::string fromUtf8(std::string_view character);
    // The same without keeping the answer, for callers that keep their own
    // table of the characters they asked for.
    std::string fromUtf8Uncached(std::string_view character);

    // The UTF-8 form of one character of the set (an ASCII byte or a
    // double-byte character), from the first mapping that reads it; empty
    // when none does, or when that form does not come back to the same bytes.
    std::string toUtf8(std::string_view character);

    // For many characters at once, what the calls above answer one by one,
    // at a fraction of their cost (a few conversions instead of one each):
    // `packed[i]` is the double-byte character fromUtf8Uncached gives for
    // `characters[i]` (one non-ASCII UTF-8 character each), or 0.
    void doubleBytesOf(const std::vector<std::string_view>& characters,
                       std::vector<uint16_t>& packed);
    // `back[i]` is whether toUtf8 gives `characters[i]` a UTF-8 form.
    void writeBack(const std::vector<uint16_t>& characters, std::vector<bool>& back);

    // A whole text of the set in UTF-8. A character that has no UTF-8 form
    // is written as its bytes in hexadecimal between angle brackets
    // ("<A1 7F>"), and its bytes ("A1 7F") are added to `unwritable` when
    // one is given.
    std::string textToUtf8(std::string_view text, std::vector<std::string>* unwritable = nullptr);

  private:
    // The bytes of `character` as the set's tables give them (empty where
    // the set has none); nullopt where they do not answer.
    std::optional<std::string> fromTable(std::string_view character) const;
    // The bytes of `character`, beyond ASCII, from the first mapping that
    // writes it as one character of the set; empty when none does.
    std::string fromUtf8ByMappings(std::string_view character);
    void doubleBytesByMappings(const std::vector<std::string_view>& characters,
                               std::vector<uint16_t>& packed);
    void writeBackByMappings(const std::vector<uint16_t>& characters, std::vector<bool>& back);
    // One mapping of the set, both ways.
    struct Mapping {
        iconv_t fromUtf8;
        iconv_t toUtf8;
        const char* name;
        // fromUtf8 passing over what it cannot write, for doubleBytesOf;
        // opened when first needed.
        iconv_t fromUtf8Skipping = nullptr;
    };
    // The mappings, opened when first asked: a run that the tables answer
    // loads none of the C library's conversion modules.
    std::vector<Mapping>& mappings();

    CharSet charSet_;
    const CharSetTable* table_;
    bool opened_ = false;
    std::vector<Mapping> mappings_;
    std::unordered_map<std::string, std::string> fromCache_;
};

// The names of the iconv mappings of a set, the one preferred first.
std::vector<const char*> mappingNames(CharSet charSet);
