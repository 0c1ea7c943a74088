// Reading input files. Sources, phrase lists, keyboard pictures, desktop
// tables and word lists are read whole into memory by the one reader below,
// up to kMaxInputFileBytes; databases are judged from their header and
// directory first (database_input.h).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "foundation/diagnostics.h"

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileClose>;

// Opens an existing file for binary reading. A folder is refused like a file
// that cannot be opened, so that no reader mistakes it for an empty file.
FileHandle openInputFile(const char* name);

// No input file of either tool is larger: a bigger regular file is refused
// by its size before it is read, and of a file whose size is not known
// beforehand (a FIFO, a device) no more than one byte beyond is read.
inline constexpr std::size_t kMaxInputFileBytes = std::size_t{256} << 20;

enum class FileRead { kRead, kCannotOpen, kCannotRead, kTooLarge };

// Appends the rest of `file` to `bytes` while they hold at most `limit` bytes
// in all; kTooLarge, having read one byte beyond, when there is more.
FileRead readRest(std::FILE* file, std::size_t limit, std::vector<uint8_t>& bytes);

// Reads the whole file into `bytes`, when it holds at most kMaxInputFileBytes.
// A regular file is read straight into room of its size (huge pages asked
// for a large one), without a second copy.
FileRead readWholeFile(const char* name, std::string& bytes);
FileRead readWholeFile(const char* name, std::vector<uint8_t>& bytes);

// The same, reporting a failure: 0, or 100 (cannot be opened) or 101 (too
// large) after its message; a read error reports `readError`.
int readInputFile(const char* name, std::string& bytes, const Message& readError);
int readInputFile(const char* name, std::vector<uint8_t>& bytes, const Message& readError);
