// The largest input-method database a compile can make, from the limits of
// its resources; a larger file of its type is no database of ours.
#pragma once

#include <cstddef>

std::size_t largestImeDatabaseBytes();
