// Reading a database file. Its header and directory are judged before its
// bodies are read, so that a file of another type, or one larger than any
// database of its type, is refused without being read whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/diagnostics.h"

// Reads the database file `name` into `image`, from its first byte to its
// end. Returns 0, or after reporting it 100 (cannot be opened), 101 (no whole
// header, or a read error), the code of `notThisType` (another type or
// creator, the file name as its argument), 402 (no entry, more than 512, or
// entries past the end of the file) or 403 (more than `largest` bytes).
int readDatabaseImage(const char* name, const char* type, const Message& notThisType,
                      std::size_t largest, std::vector<uint8_t>& image);
