// The largest input-method database the writer can make, from the limits of
// its fields; a larger file of its type is no database of ours.
#pragma once

#include <cstddef>

std::size_t largestImeDatabaseBytes();
