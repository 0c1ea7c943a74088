// The text of a desktop table: a file read whole, checked to be UTF-8, and
// walked line by line; the small splitting helpers every format reader uses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/diagnostics.h"
#include "foundation/text_helpers.h"

// What a tool gives the readers: the identifier of its "[Table]" section,
// which the messages about a table's lines name.
struct TableReading {
    int sectionId;
};

// What a file read for an import does with a line that is not UTF-8: leaves
// it out (a table's or list's line, named with 908 and listed) or stops the
// run (a file of weights).
enum class NotUtf8Lines { kLeftOut, kStop };

// Reads `name` into a new file of `table` (a byte-order mark dropped) and
// sets `file` to its number. Returns 0, or 100, 101 or 908 after reporting
// it (908 with the number of the first line that is not UTF-8, with
// kStop), or 200 when the table would hold more lines than its entries can
// be numbered.
int loadTableFile(const char* name, const TableReading& reading, DesktopTable& table, int& file,
                  NotUtf8Lines notUtf8 = NotUtf8Lines::kLeftOut);

// The lines of one file, a CR before the LF dropped. Keeps lineNumber and
// the current section up to date, so that messages name the table's line.
class TableLines {
  public:
    TableLines(const std::string& bytes, const TableReading& reading);
    // Inline: called for each of millions of lines.
    bool next(std::string_view& line) {
        if (at_ >= bytes_.size()) return false;
        std::size_t end = bytes_.find('\n', at_);
        if (end == std::string::npos) end = bytes_.size();
        line = std::string_view(bytes_).substr(at_, end - at_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at_ = end + 1;
        lineNumber = ++number_;
        return true;
    }
    std::size_t offsetOf(std::string_view part) const {
        return static_cast<std::size_t>(part.data() - bytes_.data());
    }

  private:
    const std::string& bytes_;
    std::size_t at_ = 0;
    int number_ = 0;
};

std::string_view trimBlanks(std::string_view text);
// The text up to the first blank or tab, taken off `rest` with the blanks
// after it.
std::string_view takeToken(std::string_view& rest);
// The text up to the first `separator` (or the end), taken off `rest` with
// the separator.
std::string_view takeField(std::string_view& rest, char separator);

// A weight: a number, or a number and "%". False when it is neither.
bool parseWeight(std::string_view text, double& value, bool& percent);

// Appends an entry whose code and text lie in `file`. False (nothing
// appended, the table's tooLong counted) when either is longer than an entry
// can point at; such a text is no character and no word any tool keeps.
bool addTableEntry(DesktopTable& table, int file, std::string_view code, std::string_view text,
                   double weight);
