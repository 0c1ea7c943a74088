// rime's dictionary header: the YAML between a line "---" and a line "...",
// read for its columns, its imported tables and its preset vocabulary, and,
// of the table given, for its name, version and encoder rules.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "foundation/desktop_tables/table_text.h"

enum class RimeColumn { kText, kCode, kWeight, kOther };

struct RimeHeader {
    std::vector<RimeColumn> columns{RimeColumn::kText, RimeColumn::kCode, RimeColumn::kWeight};
    std::vector<std::string> imports;  // as written, without folder or ".dict.yaml"
    bool presetVocabulary = false;
    std::size_t body = 0;  // the offset of the first line after the header
    int line = 0;          // the number of the line that ends it, for messages
};

// No header is longer: a larger one is refused before it is parsed.
inline constexpr std::size_t kLargestRimeHeader = std::size_t{1} << 20;

// Reads the header of file `file` of `table`, taking the table's name,
// version and rules from it when `given` (the table named, not one it
// imports). Returns 0, or 511 after reporting why the header can't be read.
int readRimeHeader(const char* name, const TableReading& reading, int file, bool given,
                   DesktopTable& table, RimeHeader& header);
