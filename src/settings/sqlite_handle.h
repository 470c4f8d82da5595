#pragma once
// Owning handles for SQLite connections and statements, so that every exit
// path closes what it opened.
#include <sqlite3.h>

#include <memory>
#include <string_view>

namespace quillory {

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct SqliteFinalizer {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};

using SqliteDb = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteFinalizer>;

// Null when the statement does not compile (a missing table, a closed file).
inline SqliteStatement prepareStatement(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                       &stmt, nullptr);
    return SqliteStatement(stmt);
}

// Binds bytes as a blob. An empty text must stay an empty value, not NULL,
// and SQLite reads a null pointer as NULL whatever the length.
inline int bindBytes(sqlite3_stmt* stmt, int index, std::string_view bytes) {
    return sqlite3_bind_blob(stmt, index, bytes.empty() ? "" : bytes.data(),
                             static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

// SQLite's primary result code tells a damaged file from every other failure.
inline bool isDamaged(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// After a failed prepare: the file holds no settings table yet (a new or
// empty store), as opposed to a file that could not be read at all.
inline bool lacksTable(sqlite3* db) { return sqlite3_errcode(db) == SQLITE_ERROR; }

}  // namespace quillory
