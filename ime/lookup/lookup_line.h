// One line typed into the lookup console, read and told apart: keys only
// (UsedCodes and the WildChar) make a code line; characters and blanks a
// character line; keys, blanks, then characters a check line. A line is
// UTF-8 when it is UTF-8 throughout and holds a byte above 0x7F; otherwise it
// is in the CharSet's bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/text_encoding.h"
#include "ime/input_method.h"

// kTooLong: a line longer than the console keeps, not read at all.
enum class LineKind { kPassedOver, kCode, kCharacters, kCheck, kNeither, kTooLong };

// A character of the line: its index in the CharSet, or -1 when the CharSet
// cannot write it (then `typed` holds it as typed, in UTF-8).
struct LineCharacter {
    int index = -1;
    std::string typed;
};

struct LookupLine {
    LineKind kind = LineKind::kPassedOver;
    std::string code;
    std::vector<LineCharacter> characters;
};

class LookupLineReader {
  public:
    explicit LookupLineReader(const InputMethod& im);

    // Reads one line, without its line feed; a CR at its end is dropped.
    LookupLine read(std::string_view line);

  private:
    bool isKey(char c) const;

    const InputMethod& im_;
    DoubleByteTable table_;
    CharSetConverter converter_;
};
