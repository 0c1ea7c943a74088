#include "foundation/desktop_tables/table_formats.h"
#include "foundation/text_encoding.h"
#include "foundation/text_helpers.h"

namespace {

constexpr std::string_view kScimTextHeader = "SCIM_Generic_Table_Phrase_Library_TEXT";

// "a b\tc" splits at tabs when the line has one, else at blanks.
std::string_view takeColumn(std::string_view& rest, bool tabs) {
    if (tabs) return trimBlanks(takeField(rest, '\t'));
    return takeToken(rest);
}

// The phrase of a line parted by tabs is all that stands between its tabs,
// blanks included: a table's phrase may be " " or begin with a blank that
// carries a combining mark, and ibus-table and SCIM keep it so.
std::string_view takePhrase(std::string_view& rest, bool tabs) {
    if (!tabs) return takeToken(rest);
    const std::size_t tab = rest.find('\t');
    return tab == std::string_view::npos ? trimBlanks(takeField(rest, '\t'))
                                         : takeField(rest, '\t');
}

// SCIM writes a phrase as "0x" and four hex digits a character ("0x0020",
// "0x5B570x6708"); its reader turns them back, ends at the first other text
// and drops a 0. The characters are written over the hex digits, which take
// more room than their UTF-8; a phrase that is no such run, or that names a
// surrogate, stays as it is.
bool isHexRun(std::string_view text) {
    return text.size() >= 6 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

char32_t hexRunPoint(std::string_view run) {
    char32_t point = 0;
    for (std::size_t i = 2; i < 6 && hexDigitValue(run[i]) >= 0; ++i) {
        point = point * 16 + static_cast<char32_t>(hexDigitValue(run[i]));
    }
    return point;
}

std::string_view decodeHexPhrase(std::string& bytes, std::string_view phrase) {
    for (std::string_view run = phrase; isHexRun(run); run.remove_prefix(6)) {
        const char32_t point = hexRunPoint(run);
        if (point >= 0xD800 && point < 0xE000) return phrase;
    }
    if (!isHexRun(phrase)) return phrase;
    const std::size_t start = static_cast<std::size_t>(phrase.data() - bytes.data());
    std::size_t written = start;
    for (; isHexRun(phrase); phrase.remove_prefix(6)) {
        const char32_t point = hexRunPoint(phrase);
        if (point == 0) continue;
        std::string character;
        appendUtf8(point, character);
        written += character.copy(bytes.data() + written, character.size());
    }
    return std::string_view(bytes).substr(start, written - start);
}

// ibus-table's CHAR_PROMPTS: "{'a': '日', 'b': '月'}".
void readCharPrompts(DesktopTable& table, std::string_view value) {
    while (true) {
        const std::size_t key = value.find('\'');
        if (key == std::string_view::npos || key + 2 >= value.size() || value[key + 2] != '\'') {
            return;
        }
        const std::size_t open = value.find('\'', key + 3);
        const std::size_t close =
            open == std::string_view::npos ? open : value.find('\'', open + 1);
        if (close == std::string_view::npos) return;
        table.keyPrompts.emplace_back(value[key + 1], value.substr(open + 1, close - open - 1));
        value.remove_prefix(close + 1);
    }
}

void readDefinition(DesktopTable& table, std::string_view key, std::string_view value) {
    if (key == "NAME") table.asciiName = std::string(value);
    if (key.starts_with("NAME.") && !value.empty()) {
        if (table.fullName.empty()) table.fullName = std::string(value);
        table.localeNames.emplace_back(key.substr(5), value);
    }
    if (key == "LANGUAGES") table.languages = std::string(value);
    if (key == "CHAR_PROMPTS") readCharPrompts(table, value);
    if (key == "SERIAL_NUMBER") table.version = std::string(value);
    if ((key == "KEYS" || key == "VALID_INPUT_CHARS") && table.declaredKeys.empty()) {
        table.declaredKeys = std::string(value);
    }
    if ((key == "SINGLE_WILDCARD_CHAR" || key == "MULTI_WILDCARD_CHAR") && value.size() == 1 &&
        table.wildcard == 0) {
        table.wildcard = value[0];
    }
    if (key == "RULES") {
        while (!value.empty()) {
            std::string_view items = takeField(value, ';');
            const std::string_view written = items;
            const std::string_view command = takeField(items, ':');
            if (!trimBlanks(written).empty()) addRule(table, command, items, written);
        }
    }
}

}  // namespace

void readScimTable(const TableReading& reading, DesktopTable& table, int file) {
    table.format = "SCIM/ibus-table text";
    enum class Part { kNone, kDefinition, kPrompts, kTable } part = Part::kNone;
    TableLines lines(table.files[static_cast<std::size_t>(file)], reading);
    // SCIM's own tables, not ibus-table's, may write a phrase in hex.
    const bool scim = table.files[static_cast<std::size_t>(file)].starts_with(kScimTextHeader);
    std::string_view line;
    while (lines.next(line)) {
        std::string_view rest = trimBlanks(line);
        // Among the entries only "###" begins a comment: "#" is a key of
        // many tables ("#\t＃", "#\tъ").
        if (rest.empty() || rest.starts_with("###") || (rest[0] == '#' && part != Part::kTable)) {
            continue;
        }
        if (rest == "BEGIN_DEFINITION") {
            part = Part::kDefinition;
        } else if (rest == "BEGIN_TABLE" || rest == "BEGIN_TABLE_EXTRA") {
            // ibus-table adds the entries of BEGIN_TABLE_EXTRA to the table's.
            part = Part::kTable;
        } else if (rest == "BEGIN_CHAR_PROMPTS_DEFINITION") {
            part = Part::kPrompts;
        } else if (rest.starts_with("END_")) {
            part = Part::kNone;
        } else if (part == Part::kDefinition) {
            const std::string_view key = trimBlanks(takeField(rest, '='));
            readDefinition(table, key, trimBlanks(rest));
        } else if (part == Part::kPrompts) {
            const std::string_view key = takeToken(rest);
            const std::string_view prompt = takeToken(rest);
            if (key.size() == 1 && !prompt.empty()) table.keyPrompts.emplace_back(key[0], prompt);
        } else if (part == Part::kTable) {
            const bool tabs = rest.find('\t') != std::string_view::npos;
            const std::string_view code = takeColumn(rest, tabs);
            std::string_view text = takePhrase(rest, tabs);
            if (scim) text = decodeHexPhrase(table.files[static_cast<std::size_t>(file)], text);
            double weight = 0;
            bool percent = false;
            if (parseWeight(takeColumn(rest, tabs), weight, percent)) {
                table.weighted = true;
            } else {
                weight = 0;
            }
            if (!text.empty()) addTableEntry(table, file, code, text, weight);
        }
    }
}
