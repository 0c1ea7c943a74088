// UTF-8 and the six character sets: one character at a time, through the C
// library's iconv, with the widest conversion it has for each set.
#pragma once

#include <iconv.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "foundation/char_sets.h"

// The length of the UTF-8 character at the start of `text` (1 to 4), or 0
// when the bytes there are no UTF-8 character (a stray or missing trail byte,
// an overlong form, a surrogate, a value above U+10FFFF).
int utf8Length(std::string_view text);

// True when `text` is UTF-8 throughout.
bool isUtf8(std::string_view text);

class CharSetConverter {
  public:
    explicit CharSetConverter(CharSet charSet);
    ~CharSetConverter();
    CharSetConverter(const CharSetConverter&) = delete;
    CharSetConverter& operator=(const CharSetConverter&) = delete;

    // The set's bytes for one UTF-8 character: itself for ASCII, else one
    // double-byte character of the set; empty when the set cannot write it.
    std::string fromUtf8(std::string_view character);

    // The UTF-8 form of one character of the set (an ASCII byte or a
    // double-byte character); empty when it has none, or when that form does
    // not come back to the same bytes.
    std::string toUtf8(std::string_view character);

    // A whole text of the set in UTF-8. False, with the bytes of the first
    // character that has no UTF-8 form written in hexadecimal ("A1 7F") in
    // `failed`, when one has none.
    bool textToUtf8(std::string_view text, std::string& out, std::string& failed);

  private:
    std::string convert(iconv_t direction, std::string_view bytes);

    CharSet charSet_;
    iconv_t fromUtf8_;
    iconv_t toUtf8_;
    std::unordered_map<std::string, std::string> fromCache_;
};
