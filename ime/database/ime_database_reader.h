// Reading an input-method database back into the records of its layout. Every
// resource is found by its type and id 8888 and decoded with its record's
// decode; the reader never looks outside the file.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "foundation/database_container.h"
#include "ime/database/ime_layout.h"

// A directory entry with its body: the bytes from its offset up to the next
// body's offset, or to the end of the file for the last one. A body whose
// offset lies outside the file, or inside its header and directory, is not
// inside and has no bytes.
struct FoundResource {
    ResourceEntry entry;
    std::span<const uint8_t> body;
    bool inside = true;
};

// The container of a database file as read.
struct ImeDatabaseFile {
    std::span<const uint8_t> image;  // the whole file
    DatabaseHeader header{};
    std::vector<FoundResource> resources;  // in directory order
};

// Reads the database `image` (the whole file `name`) into `file` and the
// records of `layout`. Returns 0, or 101, 400, 401, 402 or 403 after
// reporting it.
int readImeDatabase(const std::vector<uint8_t>& image, const char* name, ImeDatabaseFile& file,
                    ImeLayout& layout);
