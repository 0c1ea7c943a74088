// Whether a written source gives a database back exactly: the source is
// compiled in memory, quietly, and every resource it gives is compared with
// the database's own.
#pragma once

#include <string>
#include <vector>

#include "ime/ime_database_reader.h"
#include "ime/mabrel_context.h"

// The types of the database's resources that the source does not give back
// byte for byte, each once, in directory order. `records` are the
// database's records as read; `pictures` the picture files the source names.
std::vector<std::string> inexactResources(const ImeDatabaseFile& file, const CMabrel& records,
                                          const std::string& source, const PictureFiles& pictures);
