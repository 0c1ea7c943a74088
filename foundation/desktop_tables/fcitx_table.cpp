#include "foundation/desktop_tables/table_formats.h"

namespace {

// The one character of a header value such as "Prompt=&", or 0.
char oneCharacter(std::string_view value) {
    value = trimBlanks(value);
    return value.size() == 1 ? value[0] : 0;
}

}  // namespace

void readFcitxTable(const TableReading& reading, DesktopTable& table, int file) {
    table.format = "fcitx table";
    enum class Part { kHeader, kRule, kData } part = Part::kHeader;
    char prompt = 0;
    char construct = 0;
    TableLines lines(table.files[static_cast<std::size_t>(file)], reading);
    std::string_view line;
    while (lines.next(line)) {
        std::string_view rest = trimBlanks(line);
        if (rest.empty() || (part != Part::kData && (rest[0] == ';' || rest[0] == '#'))) continue;
        if (rest == "[Rule]") {
            part = Part::kRule;
        } else if (rest == "[Data]") {
            part = Part::kData;
        } else if (part == Part::kHeader) {
            const std::string_view key = trimBlanks(takeField(rest, '='));
            if (key == "KeyCode") table.declaredKeys = std::string(trimBlanks(rest));
            if (key == "Prompt") prompt = oneCharacter(rest);
            if (key == "ConstructPhrase") construct = oneCharacter(rest);
        } else if (part == Part::kRule) {
            const std::string_view written = rest;
            const std::string_view command = trimBlanks(takeField(rest, '='));
            addRule(table, command, rest, written);
        } else {
            const std::string_view code = takeToken(rest);
            const std::string_view text = takeToken(rest);
            // Lines of key prompts and of phrase-building codes are no entries.
            if (text.empty() || code[0] == prompt || code[0] == construct) continue;
            addTableEntry(table, file, code, text, 0);
        }
    }
}
