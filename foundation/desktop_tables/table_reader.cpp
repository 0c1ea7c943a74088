#include "foundation/desktop_tables/table_reader.h"

#include <algorithm>

#include "foundation/desktop_tables/table_characters.h"
#include "foundation/desktop_tables/table_formats.h"
#include "foundation/diagnostics.h"

namespace {

enum class Format { kNone, kCin, kFcitx, kScim, kRime };

bool hasLineStarting(std::string_view bytes, std::string_view start) {
    for (std::size_t at = bytes.find(start); at != std::string_view::npos;
         at = bytes.find(start, at + 1)) {
        if (at == 0 || bytes[at - 1] == '\n') return true;
    }
    return false;
}

// A rime dictionary's first line that is not blank and no "#" comment is
// "---".
bool looksLikeRime(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        const std::string_view line = trimBlanks(bytes.substr(0, end));
        if (!line.empty() && line[0] != '#') return line == "---" || line == "---\r";
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    return false;
}

Format formatOf(std::string_view bytes) {
    if (looksLikeRime(bytes)) return Format::kRime;
    if (hasLineStarting(bytes, "%chardef") || hasLineStarting(bytes, "%gen_inp")) {
        return Format::kCin;
    }
    if (hasLineStarting(bytes, "SCIM_Generic_Table_Phrase_Library_TEXT") ||
        hasLineStarting(bytes, "BEGIN_TABLE")) {
        return Format::kScim;
    }
    if (hasLineStarting(bytes, "KeyCode=") && hasLineStarting(bytes, "[Data]")) {
        return Format::kFcitx;
    }
    return Format::kNone;
}

int readInFormat(Format format, const char* name, const TableReading& reading, DesktopTable& table,
                 int file) {
    switch (format) {
        case Format::kNone:
            return 0;
        case Format::kCin:
            readCinTable(reading, table, file);
            return 0;
        case Format::kFcitx:
            readFcitxTable(reading, table, file);
            return 0;
        case Format::kScim:
            readScimTable(reading, table, file);
            return 0;
        case Format::kRime:
            return readRimeDictionary(name, reading, table, file);
    }
    return 0;
}

}  // namespace

int readInputMethodTable(const char* name, const TableReading& reading, DesktopTable& table,
                         bool& recognised) {
    int file = 0;
    if (int rc = loadTableFile(name, reading, table, file)) return rc;
    const Format format = formatOf(table.files[0]);
    table.exported = exportedCodingOf(table.files[0]);
    recognised = format != Format::kNone;
    const int rc = readInFormat(format, name, reading, table, file);
    // A binary table was read as its text form: it is named as what it is.
    if (table.binaryFormat) table.format = table.binaryFormat;
    return rc;
}

int readWordList(const char* name, const TableReading& reading, DesktopTable& table) {
    int file = 0;
    if (int rc = loadTableFile(name, reading, table, file)) return rc;
    if (looksLikeRime(table.files[0])) return readRimeDictionary(name, reading, table, file);
    // An input-method table of words alone, which Mabrel /i refuses with 510
    // (ibus's emoji table): its words are the list. One with single
    // characters is Mabrel's, and stays a list of lines.
    const Format format = formatOf(table.files[0]);
    if (format != Format::kNone && !holdsSingleCharacters(name)) {
        const int rc = readInFormat(format, name, reading, table, file);
        if (table.binaryFormat) table.format = table.binaryFormat;
        return rc;
    }
    readWordLines(reading, table, file);
    return 0;
}

bool holdsSingleCharacters(const char* name) {
    const QuietReports quiet;
    DesktopTable table;
    bool recognised = false;
    if (readInputMethodTable(name, {currentSection}, table, recognised) != 0 || !recognised) {
        return false;
    }
    return std::any_of(table.entries.begin(), table.entries.end(), [&](const TableEntry& entry) {
        return utf8CharacterCount(table.text(entry)) == 1;
    });
}
