#include "foundation/desktop_tables/table_formats.h"

void readCinTable(const TableReading& reading, DesktopTable& table, int file) {
    table.format = ".cin table";
    enum class Part { kNone, kKeyName, kCharDef } part = Part::kNone;
    TableLines lines(table.files[static_cast<std::size_t>(file)], reading);
    std::string_view line;
    while (lines.next(line)) {
        // A comment begins with "#" at the start of its line; after a blank,
        // "#" is a key or a code, as hime-gtab2cin writes them.
        std::string_view rest = trimBlanks(line);
        if (rest.empty() || line[0] == '#') continue;
        // Inside %keyname and %chardef only their own end is a keyword: "% X"
        // there is the key or code "%" (German tables type it).
        std::string_view afterKeyword = rest;
        const std::string_view keyword = takeToken(afterKeyword);
        const std::string_view partEnd = part == Part::kKeyName ? "%keyname" : "%chardef";
        if (rest[0] == '%' && (part == Part::kNone || keyword == partEnd)) {
            rest = afterKeyword;
            const bool begins = takeToken(rest) == "begin";
            if (keyword == "%ename") {
                table.asciiName = std::string(trimBlanks(trimBlanks(line).substr(keyword.size())));
            } else if (keyword == "%cname") {
                table.fullName = std::string(trimBlanks(trimBlanks(line).substr(keyword.size())));
            } else if (keyword == "%keyname") {
                part = begins ? Part::kKeyName : Part::kNone;
            } else if (keyword == "%chardef") {
                part = begins ? Part::kCharDef : Part::kNone;
            }
            continue;
        }
        const std::string_view code = takeToken(rest);
        const std::string_view text = takeToken(rest);
        if (text.empty()) continue;
        if (part == Part::kKeyName && code.size() == 1) {
            table.declaredKeys += code[0];
            table.keyDisplays.emplace_back(text);
        } else if (part == Part::kCharDef) {
            addTableEntry(table, file, code, text, 0);
        }
    }
}
