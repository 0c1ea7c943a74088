#include "foundation/desktop_tables/binary/sqlite_library.h"

#include <dlfcn.h>

namespace {

constexpr int kOk = 0;
constexpr int kError = 1;  // what a missing table or column gives
constexpr int kRow = 100;
constexpr int kDone = 101;
// A database in memory, which the table's bytes then fill read-only.
constexpr int kOpenInMemory = 0x2 | 0x4;
constexpr unsigned kDeserializeReadOnly = 4;

template <class Function>
bool find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

SqliteLibrary load() {
    SqliteLibrary library{};
    void* handle = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return library;
    const bool found = find(handle, "sqlite3_open_v2", library.open) &&
                       find(handle, "sqlite3_deserialize", library.deserialize) &&
                       find(handle, "sqlite3_prepare_v2", library.prepare) &&
                       find(handle, "sqlite3_step", library.step) &&
                       find(handle, "sqlite3_column_text", library.columnText) &&
                       find(handle, "sqlite3_column_bytes", library.columnBytes) &&
                       find(handle, "sqlite3_finalize", library.finalize) &&
                       find(handle, "sqlite3_close", library.close);
    if (!found) library.open = nullptr;
    return library;
}

}  // namespace

const SqliteLibrary* sqliteLibrary() {
    static const SqliteLibrary library = load();
    return library.open != nullptr ? &library : nullptr;
}

SqliteDatabase::SqliteDatabase(const SqliteLibrary& library, std::string_view bytes)
    : library_(library) {
    if (library.open(":memory:", &database_, kOpenInMemory, nullptr) != kOk) {
        library.close(database_);
        database_ = nullptr;
        return;
    }
    // Read-only and not freed by SQLite: the bytes stay the caller's.
    auto* data = reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data()));
    const auto size = static_cast<int64_t>(bytes.size());
    if (library.deserialize(database_, "main", data, size, size, kDeserializeReadOnly) != kOk) {
        library.close(database_);
        database_ = nullptr;
    }
}

SqliteDatabase::~SqliteDatabase() {
    if (database_ != nullptr) library_.close(database_);
}

SqliteDatabase::Query::Query(const SqliteDatabase& database, const char* sql)
    : library_(database.library_) {
    const int rc = library_.prepare(database.database_, sql, -1, &statement_, nullptr);
    if (rc != kOk) {
        damaged_ = rc != kError;
        library_.finalize(statement_);
        statement_ = nullptr;
    }
}

SqliteDatabase::Query::~Query() {
    if (statement_ != nullptr) library_.finalize(statement_);
}

bool SqliteDatabase::Query::next() {
    const int rc = library_.step(statement_);
    failed_ = rc != kRow && rc != kDone;
    return rc == kRow;
}

std::string_view SqliteDatabase::Query::text(int column) const {
    const unsigned char* text = library_.columnText(statement_, column);
    if (text == nullptr) return {};
    return {reinterpret_cast<const char*>(text),
            static_cast<std::size_t>(library_.columnBytes(statement_, column))};
}
