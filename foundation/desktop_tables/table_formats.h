// The readers of the desktop table formats. Each reads one file already
// loaded as file `file` of `table` and fills the table from it; each returns
// 0 (their files are UTF-8 already, and a line they do not know is passed
// over) or the number of a message it reported.
#pragma once

#include <string_view>
#include <unordered_map>

#include "foundation/desktop_tables/table_text.h"

// ".cin" (gcin, hime, OpenVanilla): %ename, %cname, %keyname and %chardef.
void readCinTable(const TableReading& reading, DesktopTable& table, int file);
// fcitx 4 and fcitx 5 table text: KeyCode=, [Rule], [Data].
void readFcitxTable(const TableReading& reading, DesktopTable& table, int file);
// SCIM and ibus-table text: BEGIN_DEFINITION and BEGIN_TABLE.
void readScimTable(const TableReading& reading, DesktopTable& table, int file);
// rime's ".dict.yaml", its import_tables read first from the same folder
// and the weights of its preset vocabulary (essay.txt) applied.
int readRimeDictionary(const char* name, const TableReading& reading, DesktopTable& table,
                       int file);
// Lines of a word and optional columns, the first whole number or
// percentage the weight (essay.txt, frequency lists, plain word lists).
void readWordLines(const TableReading& reading, DesktopTable& table, int file);
// The same lines as a map from each word to its weight (the first line of
// a word counts).
void readWordLinesInto(const std::string& bytes, const TableReading& reading,
                       std::unordered_map<std::string_view, double>& weights);

// A rule item such as "p11", "n21" (fcitx) or "p-11" (ibus): the character
// from the front (p) or the back (n, or a minus sign), then the code key.
bool parseRuleItem(std::string_view item, TableRuleItem& parsed);
// Turns "e2=p11+p12+..." (fcitx) or "ce2:p11+..." (ibus) into a rule; a rule
// that cannot be said joins the table's unsaid rules.
void addRule(DesktopTable& table, std::string_view kindAndCount, std::string_view items,
             std::string_view written);
