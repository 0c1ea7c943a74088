// The lines of the lookup console's standard input, one at a time. No line
// is held beyond kMaxConsoleLineBytes: of a longer one the rest is read and
// dropped, so a line without end (/dev/zero) costs no more memory than that.
// The input as a whole has the bound of every input file: a regular file
// larger than it is refused before a line is read, anything else once the
// byte past the bound has come.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

inline constexpr std::size_t kMaxConsoleLineBytes = 65536;

enum class ConsoleRead { kLine, kTooLong, kEnd, kError, kOverBound };

// Reads the next line of `file` into `line`, without its line feed: kLine;
// kTooLong for one of more than kMaxConsoleLineBytes bytes (`line` then holds
// its start); kEnd at the end of input; kError when reading failed;
// kOverBound once `bytesRead`, the bytes of `file` read so far, passes
// kMaxInputFileBytes.
ConsoleRead readConsoleLine(std::FILE* file, std::string& line, std::size_t& bytesRead);

// Whether `file` is a regular file larger than kMaxInputFileBytes.
bool isOverInputBound(std::FILE* file);
