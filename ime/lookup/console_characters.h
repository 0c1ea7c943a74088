// Characters of a CharSet as a console shows them: in UTF-8, or, for one
// that has no UTF-8 form, its bytes in hexadecimal between angle brackets
// ("<A1 7F>"). Each character is converted once. Codes are shown the same
// way: a key above 0x7F as its byte in hexadecimal ("<A1>").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/text_encoding.h"

class ConsoleCharacters {
  public:
    explicit ConsoleCharacters(CharSet charSet);

    // Appends the character of index `index`.
    void append(unsigned index, std::string& out);

  private:
    CharacterBytes bytes_;
    CharSetConverter converter_;
    std::vector<std::string> shown_;  // by index; empty until first shown
};

// Appends `code`, each key above 0x7F as "<XX>".
void appendCode(std::string_view code, std::string& out);
