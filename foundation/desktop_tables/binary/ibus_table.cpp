// An ibus-table database (SQLite): its "ime" table of settings (attr, val)
// and its "phrases" table (id, tabkeys, phrase, freq, user_freq). It is read
// as the ibus-table text it is made from: the settings as its definition
// ("name.zh_tw" as NAME.zh_tw), the phrases in ibus-table's own order,
// frequency first, then id.
#include <cctype>
#include <string>

#include "foundation/desktop_tables/binary/binary_formats.h"
#include "foundation/desktop_tables/binary/sqlite_library.h"

namespace {

constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};

// "name.zh_tw" as the text writes it: NAME.zh_tw.
std::string definitionKey(std::string_view attribute) {
    std::string key(attribute);
    for (char& c : key) {
        if (c == '.') break;
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return key;
}

bool appendDefinition(const SqliteDatabase& database, TableText& text) {
    SqliteDatabase::Query settings(database, "SELECT attr, val FROM ime ORDER BY rowid");
    if (!settings.prepared()) return false;
    text.append("BEGIN_DEFINITION\n");
    while (settings.next()) {
        const std::string key = definitionKey(settings.text(0));
        const std::string_view value = settings.text(1);
        if (isTableField(key) && value.find_first_of("\r\n") == std::string_view::npos) {
            text.append(key + " = ");
            text.append(value);
            text.append("\n");
        }
    }
    text.append("END_DEFINITION\n");
    return !settings.failed();
}

}  // namespace

Decoded decodeIbusTable(std::string_view, std::string_view bytes, TableText& text) {
    if (!bytes.starts_with(kSqliteHeader)) return Decoded::kOtherFormat;
    const SqliteLibrary* library = sqliteLibrary();
    if (library == nullptr) return Decoded::kLibraryMissing;
    const SqliteDatabase database(*library, bytes);
    if (!database.opened()) return Decoded::kDamaged;
    SqliteDatabase::Query phrases(
        database, "SELECT tabkeys, phrase, freq FROM phrases ORDER BY freq DESC, id ASC");
    if (!phrases.prepared()) return phrases.damaged() ? Decoded::kDamaged : Decoded::kOtherFormat;
    if (!appendDefinition(database, text)) return Decoded::kDamaged;
    text.append("BEGIN_TABLE\n");
    while (phrases.next()) text.line(phrases.text(0), phrases.text(1), phrases.text(2));
    text.append("END_TABLE\n");
    return phrases.failed() ? Decoded::kDamaged : Decoded::kDecoded;
}
