// SQLite, loaded from Debian's libsqlite3-0 the first time an SQLite table
// is read, so that no other run links or loads it. Databases are read from
// bytes already in memory (the bounded reader's), never from a file.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// The functions of the library that the readers call; nullptr when it
// cannot be loaded.
struct SqliteLibrary {
    int (*open)(const char*, sqlite3**, int, const char*);
    int (*deserialize)(sqlite3*, const char*, unsigned char*, int64_t, int64_t, unsigned);
    int (*prepare)(sqlite3*, const char*, int, sqlite3_stmt**, const char**);
    int (*step)(sqlite3_stmt*);
    const unsigned char* (*columnText)(sqlite3_stmt*, int);
    int (*columnBytes)(sqlite3_stmt*, int);
    int (*finalize)(sqlite3_stmt*);
    int (*close)(sqlite3*);
};

const SqliteLibrary* sqliteLibrary();

// A database opened read-only over `bytes`, which must outlive it; its
// queries walk their rows with next().
class SqliteDatabase {
  public:
    SqliteDatabase(const SqliteLibrary& library, std::string_view bytes);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;
    bool opened() const { return database_ != nullptr; }

    class Query {
      public:
        Query(const SqliteDatabase& database, const char* sql);
        ~Query();
        Query(const Query&) = delete;
        Query& operator=(const Query&) = delete;
        bool prepared() const { return statement_ != nullptr; }
        // Whether the query could not be prepared for the database's damage
        // rather than for a table or column it lacks.
        bool damaged() const { return damaged_; }
        // Steps to the next row: false at the end, and `failed` set when the
        // database could not be read.
        bool next();
        bool failed() const { return failed_; }
        std::string_view text(int column) const;

      private:
        const SqliteLibrary& library_;
        sqlite3_stmt* statement_ = nullptr;
        bool damaged_ = false;
        bool failed_ = false;
    };

  private:
    const SqliteLibrary& library_;
    sqlite3* database_ = nullptr;
};
