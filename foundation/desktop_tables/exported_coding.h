// The coding of a handheld input method that no engine's table says, carried
// by Mabrel's exports in one comment line at the head of the table, so that
// an import of the export gives the input method back:
//   "Mabrel coding: CodingStyle=1,0 IndexDepth=2 NoSort=0 MaxCodes=5 UsedCodes=abc"
// after the format's comment mark ("#", ";" or "###").
#pragma once

#include <string>
#include <string_view>

struct ExportedCoding {
    int style = 0;  // 1 or 2; 0 when the table carries no such line
    int subtype = 0;
    int indexDepth = 2;
    bool noSort = false;
    int maxCodes = 0;
    std::string usedCodes;  // in the handheld's key order
};

// The line, without its comment mark.
std::string exportedCodingText(const ExportedCoding& coding);

// The coding carried by the comment lines that open `bytes` (blank lines,
// and lines starting with "#" or ";"); style 0 when none of them is a whole
// and valid coding line.
ExportedCoding exportedCodingOf(std::string_view bytes);
