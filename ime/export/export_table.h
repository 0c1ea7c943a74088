// What every engine's writer writes: an input method's pairs and its coded
// phrases in UTF-8, in the order the handheld offers them, and what the
// format cannot hold.
#pragma once

#include <string>
#include <vector>

#include "foundation/phrase_database.h"
#include "ime/export/export_format.h"
#include "ime/input_method.h"

struct ExportedEntry {
    std::string code;
    std::string text;  // UTF-8
};

// One thing left out of the export: the source line where there is one (else
// 0), its code and text where it has them, and why.
struct LeftOutItem {
    int line = 0;
    std::string code;
    std::string text;
    std::string reason;
};

struct ExportTable {
    std::string name;                   // the table's name, from the file name
    std::vector<std::string> keyNames;  // UTF-8, one per key of UsedCodes; empty when none
    std::string fullName;               // UTF-8
    std::string version;                // UTF-8
    // The single characters first, in entry order, then the phrases.
    std::vector<ExportedEntry> entries;
    std::size_t characterCount = 0;
    // The longest code written.
    std::size_t longestCode = 0;
    std::vector<LeftOutItem> leftOut;
};

// The table of `im` (as a database gives it back) and of `phrases` (null when
// none) for `format`; `entryLines` gives the source line of each entry of
// `im`, or is empty when there is no source.
ExportTable exportTable(const InputMethod& im, const PhraseDatabase* phrases, ExportFormat format,
                        std::string name, const std::vector<int>& entryLines);

// The list beside the export: one line "line TAB code TAB text TAB reason"
// for each thing left out.
std::string leftOutText(const ExportTable& table);

// The header lines of comments, each beginning with `mark`: the coding of
// `im` that the engine's table does not say (so that an import gives it
// back), then what was left out.
std::string headerComments(const InputMethod& im, const ExportTable& table, const char* mark);

// Adds the rules to what was left out, for `reason`.
void leaveOutRules(ExportTable& table, const char* reason);
