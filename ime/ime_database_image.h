// The input-method database assembled in memory: its resources in
// directory order and the whole file image (layout in the source file).
#pragma once

#include <cstdint>
#include <vector>

#include "ime/mabrel_context.h"

struct ImeResource {
    char type[5];
    std::vector<uint8_t> body;
};

// The resources the database holds, in directory order.
std::vector<ImeResource> imeResources(const CMabrel& mabrel);

// The whole database file, its three dates `date`.
std::vector<uint8_t> imeDatabaseImage(const CMabrel& mabrel, uint32_t date);
