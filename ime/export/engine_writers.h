// One writer per engine: the text of its table, in UTF-8, from the export's
// table. None of them looks at database bytes or source text. A writer adds
// to the table's left-out list what only it knows the engine cannot hold.
#pragma once

#include <algorithm>
#include <string>

#include "ime/export/export_table.h"
#include "ime/input_method.h"

// ".cin" as hime-cin2gtab and the gcin family read it.
std::string cinTableText(const InputMethod& im, ExportTable& table);

// The table text of fcitx 5 (libime_tabledict) or of fcitx 4 (txt2mb).
std::string fcitxTableText(const InputMethod& im, ExportTable& table, ExportFormat format);

// rime's "NAME.dict.yaml" and the "NAME.schema.yaml" that builds it.
std::string rimeDictionaryText(const InputMethod& im, ExportTable& table);
std::string rimeSchemaText(const InputMethod& im, const ExportTable& table);

// The source ibus-table-createdb reads.
std::string ibusTableText(const InputMethod& im, ExportTable& table);

// The most keys a code of the export takes: MaxCodes, or a longer phrase
// code.
inline std::size_t longestKeys(const InputMethod& im, const ExportTable& table) {
    return std::max({table.longestCode, static_cast<std::size_t>(im.maxCodes), std::size_t{1}});
}

// Weights that fall in the order of the entries: the first entry has the
// highest.
inline std::size_t weightOf(const ExportTable& table, std::size_t entry) {
    return table.entries.size() - entry;
}
