// The wording both tools' statistics share: figures against a limit,
// percentages, and characters shown in UTF-8 for a person to read.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/char_sets.h"
#include "foundation/text_encoding.h"

// "%d of %d%s (%.1f %%)": a figure against its limit, in `unit` (" words").
std::string ofLimit(long long value, long long limit, const char* unit = "");

// "label" padded to the column where figures start, then the text.
std::string figureLine(const char* label, const std::string& text);

// Characters of a CharSet in UTF-8; one with no UTF-8 form as its bytes in
// hexadecimal ("<A1 7F>").
class ShownCharacters {
  public:
    explicit ShownCharacters(CharSet charSet) : converter_(charSet) {}
    std::string shown(uint8_t lead, uint8_t trail);
    std::string shownIndex(CharSet charSet, unsigned index);

  private:
    CharSetConverter converter_;
};

// Prints the lines of a report, each as a plain line, up to the first that
// standard output fails to take.
void printReportLines(const std::string& lines);
