// Whether an input method's code table fits the database without /f.
#pragma once

#include <string>

#include "foundation/desktop_tables/table_characters.h"
#include "ime/import/input_method_from_table.h"

// The first limit of the database the code table passes ("32,767 code
// entries", "65,534 coded characters", "the repeat blocks"), or empty.
std::string codeTableLimitPassed(const ImportedTable& imported, const DesktopTable& table,
                                 TableCharacters& set);
