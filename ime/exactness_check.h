// Whether a written source gives a database back exactly: the source is
// compiled in memory, quietly, into an InputMethod; a section that does not
// compile takes what the database says instead. The database that record
// lays out is compared with the one read, resource by resource, then whole.
#pragma once

#include <string>
#include <vector>

#include "ime/database/ime_database_reader.h"
#include "ime/mabrel_context.h"

// The types of the database's resources that the source does not give back
// byte for byte, each once, in directory order. `layout` holds the
// database's records as read and `im` what they say; `pictures` the picture
// files the source names.
std::vector<std::string> inexactResources(const ImeDatabaseFile& file, const ImeLayout& layout,
                                          const InputMethod& im, const std::string& source,
                                          const PictureFiles& pictures);
