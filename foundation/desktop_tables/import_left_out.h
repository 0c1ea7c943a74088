// The list of what an import left out, written beside what it writes: one
// line for each entry (or line that could not be read), in the order of the
// files and their lines, with why.
#pragma once

#include <string>

#include "foundation/char_sets.h"
#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/output_pieces.h"

// The list's name beside `destination`: a ".txt" or ".pdb" at its end (any
// letter case) replaced by "-import-left-out.txt", else that appended.
std::string importLeftOutName(const std::string& destination);

// The list of `table.leftOut`, its files still read: "line\tcode\ttext\t
// reason" a line; `charSet` is the one the import writes for. Empty when
// nothing was left out.
std::string importLeftOutText(const DesktopTable& table, CharSet charSet);
// The same list, a piece at a time.
void writeImportLeftOut(const DesktopTable& table, CharSet charSet, OutputPieces& pieces);

// Prints the counts of the table's own reading (lines not UTF-8, codes or
// texts too long).
void reportTableLeftOut(const DesktopTable& table);
