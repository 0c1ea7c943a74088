// The [Description] values of an imported table: ID, names and version cut
// to their fields in the CharSet's bytes, display codes and wildcard.
#pragma once

#include <string>

#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/desktop_tables/table_characters.h"
#include "ime/input_method.h"

// Sets ID, Name, FullName, Version, DispalyCodes and WildChar; needs the
// method's CharSet and UsedCodes.
void describeImportedMethod(const DesktopTable& table, const std::string& fileName,
                            TableCharacters& set, InputMethod& method);
