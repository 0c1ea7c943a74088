// Reading an input-method database back into the records of its layout. Every
// resource is found by its type and id 8888 and decoded with its record's
// decode; the reader never looks outside the file.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/database_container.h"
#include "ime/database/ime_layout.h"

// The container of a database file as read; a body reaches up to the next
// body's offset.
using ImeDatabaseFile = DatabaseFile;

// Reads the file `name` into `image`, judged as a database of type "IMEM"
// from its header and directory before it is read whole. Returns 0, or 100,
// 101, 400, 402 or 403 (larger than any input-method database) after
// reporting it.
int readImeDatabaseImage(const char* name, std::vector<uint8_t>& image);

// Reads the database `image` (the whole file `name`) into `file`, the
// records of `layout` and what they say, `im`. Returns 0, or 101, 400, 401,
// 402 or 403 after reporting it; 403 also for a database whose source would
// not compile back (source_can_say.h).
int readImeDatabase(const std::vector<uint8_t>& image, const char* name, ImeDatabaseFile& file,
                    ImeLayout& layout, InputMethod& im);
