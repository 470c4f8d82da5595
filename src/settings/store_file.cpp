#include "settings/store_file.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace quillory {

namespace {

namespace fs = std::filesystem;

// Another Quillory (or the command line tool) may be writing; wait for it
// rather than fail, but not so long that the window seems to hang.
constexpr int kBusyTimeoutMs = 3000;

// Names are bytes (not always UTF-8) and are kept lower-cased in the key
// columns, so that look-up without case is an exact match.
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS setting("
    " app BLOB NOT NULL, section BLOB NOT NULL, name BLOB NOT NULL,"
    " value BLOB NOT NULL,"
    " PRIMARY KEY(app, section, name)) WITHOUT ROWID";

constexpr const char* kCompanions[] = {"-wal", "-shm", "-journal"};

SqliteDb openConnection(const std::string& uri, int flags) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(uri.c_str(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteDb db(raw);
    if (rc != SQLITE_OK) return nullptr;
    sqlite3_extended_result_codes(db.get(), 1);
    sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
    return db;
}

// Reads every page of the table once, so that damage shows now rather than
// in the middle of a run. A missing table is no damage when the file is new.
int checkReadable(sqlite3* db, bool tableRequired) {
    SqliteStatement stmt = prepareStatement(db, "SELECT count(value) FROM setting");
    if (!stmt) {
        const int rc = sqlite3_errcode(db);
        return isDamaged(rc) || tableRequired ? rc : SQLITE_OK;
    }
    const int rc = sqlite3_step(stmt.get());
    return rc == SQLITE_ROW ? SQLITE_OK : rc;
}

// Read-write with WAL, so that readers in other processes never block a
// writer. Returns the SQLite result code of the first failing step.
int openWritable(const std::string& path, SqliteDb& out) {
    SqliteDb db = openConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!db) return SQLITE_CANTOPEN;
    // Checked before anything writes, so that a damaged file goes aside as it was.
    int rc = checkReadable(db.get(), false);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db.get(), "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    // In WAL mode a commit is safe against a crash of the program without a
    // sync per write; the settings dialog writes some fifty keys on OK.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db.get(), "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db.get(), kSchema, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) out = std::move(db);
    return rc;
}

// The path as an SQLite file URI; the few characters that URIs reserve are
// escaped, every other byte passes unchanged.
std::string fileUri(const std::string& path, const char* query) {
    std::string uri = "file:";
    for (const char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
            uri += hex;
        } else {
            uri += c;
        }
    }
    return uri + "?" + query;
}

// A store the user may read but not write (a read-only file or folder). The
// immutable form needs no -shm file, which a read-only folder cannot hold.
SqliteDb openReadOnly(const std::string& path) {
    for (const char* query : {"mode=ro", "mode=ro&immutable=1"}) {
        SqliteDb db = openConnection(fileUri(path, query), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
        if (db && checkReadable(db.get(), true) == SQLITE_OK) return db;
    }
    return nullptr;
}

std::string timeSuffix() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, ".corrupt-%Y%m%d-%H%M%S", &local);
    return text;
}

}  // namespace

bool moveDamagedStoreAside(const std::string& path) {
    std::error_code ec;
    std::string aside = path + timeSuffix();
    // Two damaged files in one second must not overwrite each other.
    for (int n = 2; fs::exists(aside, ec); ++n) aside = path + timeSuffix() + "-" + std::to_string(n);
    fs::rename(path, aside, ec);
    if (ec) {
        std::fprintf(stderr,
                     "quillory: settings store %s is damaged and cannot be moved aside (%s); "
                     "using defaults\n",
                     path.c_str(), ec.message().c_str());
        return false;
    }
    // A WAL left beside a fresh file would be replayed into it.
    for (const char* companion : kCompanions) {
        std::error_code ignored;
        if (fs::exists(path + companion, ignored)) fs::rename(path + companion, aside + companion, ignored);
    }
    std::fprintf(stderr,
                 "quillory: settings store %s is not a readable database; moved it to %s and "
                 "started with defaults\n",
                 path.c_str(), aside.c_str());
    return true;
}

SqliteDb openStoreFile(const std::string& path) {
    std::error_code ec;
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty()) fs::create_directories(parent, ec);

    SqliteDb db;
    int rc = openWritable(path, db);
    if (rc == SQLITE_OK) return db;
    if (isDamaged(rc)) {
        if (!moveDamagedStoreAside(path)) return nullptr;
        rc = openWritable(path, db);
        if (rc == SQLITE_OK) return db;
    }
    return openReadOnly(path);
}

}  // namespace quillory
