// The key lines of one section and the lookup of a value by its key name.
#pragma once

#include <array>
#include <string>

#include "foundation/source_reader.h"

inline constexpr int kMaxKeyLines = 64;
inline constexpr int kKeyNameBufferSize = 256;

class CKeyTable {
  public:
    // Frees every stored line.
    void clear();

    // Stores the non-blank key lines of the section reading stands in, up to
    // the next section header, which is given back to the source. Returns the
    // number of lines stored, or 200 / 503 after reporting them (the lines
    // stored so far stay).
    int loadSection(SourceText& stream);

    // The value of the first line that names `key`, cut in place; nullptr when
    // no line names it, or after reporting 504 for an empty value.
    char* findValue(const char* key, bool wholeLine);

    // The value of line `index`, its name copied into `name` (256 bytes).
    char* entryAt(int index, char* name, bool wholeLine);

    int count() const { return count_; }
    const char* line(int index) const { return lines_[index].c_str(); }
    // The source line number of line `index`.
    int lineNumberOf(int index) const { return numbers_[index]; }

  private:
    std::array<std::string, kMaxKeyLines> lines_;
    std::array<int, kMaxKeyLines> numbers_{};
    int count_ = 0;
};

// Copies the value of key `keyId` into `destination` (`size` bytes). Returns 0,
// 505 when the value does not fit, or 502 when a required key is missing.
int getKeyValue(CKeyTable& table, int keyId, char* destination, int size, bool required,
                bool wholeLine);
