// The source text an import writes from its InputMethod: UTF-8 with
// "Encoding=UTF-8", LF line ends, the code table one code a line with at
// most 24 characters, in the order of the record's entries.
#pragma once

#include <string>

#include "foundation/desktop_tables/table_characters.h"
#include "ime/input_method.h"

// Characters on one [Text] line at most.
inline constexpr std::size_t kCharactersPerLine = 24;

std::string importedSourceText(const InputMethod& method, TableCharacters& set);
