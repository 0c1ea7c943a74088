// The input-method database assembled in memory: its resources in directory
// order, each encoded from its record, and the whole file image.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/database_container.h"
#include "ime/mabrel_context.h"

// The resources the database holds, in directory order.
std::vector<DatabaseResource> imeResources(const CMabrel& mabrel);

// The whole database file, its three dates `date`.
std::vector<uint8_t> imeDatabaseImage(const CMabrel& mabrel, uint32_t date);
