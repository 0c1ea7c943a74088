// Reading input files: sources, keyboard bitmaps and databases are read
// whole into memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileClose>;

// Opens an existing file for binary reading. A folder is refused like a file
// that cannot be opened, so that no reader mistakes it for an empty file.
FileHandle openInputFile(const char* name);

enum class FileRead { kRead, kCannotOpen, kCannotRead };

// Reads the whole file into `bytes`.
FileRead readWholeFile(const char* name, std::string& bytes);
FileRead readWholeFile(const char* name, std::vector<uint8_t>& bytes);

// Reads the whole file; 0, or 100 or 101 after its message.
int readWholeInputFile(const char* name, std::vector<uint8_t>& bytes);
