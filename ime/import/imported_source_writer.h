// The source text an import writes from its InputMethod and its pairs:
// UTF-8 with "Encoding=UTF-8", LF line ends, the code table one code a line
// with at most 24 characters, consecutive pairs of one code on one line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/desktop_tables/table_characters.h"
#include "ime/input_method.h"

// Characters on one [Text] line at most.
inline constexpr std::size_t kCharactersPerLine = 24;

std::string importedSourceText(const InputMethod& method, const DesktopTable& table,
                               const std::vector<uint32_t>& pairs, TableCharacters& set);
