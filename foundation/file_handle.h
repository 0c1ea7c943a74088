// Owned C streams, and the opening of input files.
#pragma once

#include <cstdio>
#include <memory>

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileClose>;

// Opens an existing file for binary reading. A folder is refused like a file
// that cannot be opened, so that no reader mistakes it for an empty file.
FileHandle openInputFile(const char* name);
