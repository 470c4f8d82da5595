#include "settings/store_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <thread>

namespace quillory {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Another Quillory (or the command) may be writing; wait for it rather than
// fail, but not so long that the window seems to hang.
constexpr int kBusyTimeoutMs = 5000;
constexpr auto kPatience = std::chrono::milliseconds(kBusyTimeoutMs);

// Names are bytes (not always UTF-8) and are kept lower-cased in the key
// columns, so that look-up without case is an exact match.
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS setting("
    " app BLOB NOT NULL, section BLOB NOT NULL, name BLOB NOT NULL,"
    " value BLOB NOT NULL,"
    " PRIMARY KEY(app, section, name)) WITHOUT ROWID";

constexpr const char* kCompanions[] = {"-wal", "-shm", "-journal"};

bool isBusy(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

Opened failure(sqlite3* db, int code) {
    Opened out;
    out.code = code;
    out.reason = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    return out;
}

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
// in the middle of a run. A missing table is no damage: the file is new.
int checkReadable(sqlite3* db) {
    const auto deadline = Clock::now() + kPatience;
    SqliteStatement stmt;
    // Reading the schema meets another process's switch to WAL as "busy".
    while (!(stmt = prepareStatement(db, "SELECT count(value) FROM setting"))) {
        if (lacksTable(db)) return SQLITE_OK;
        if (!isBusy(sqlite3_errcode(db)) || Clock::now() >= deadline) return sqlite3_errcode(db);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const int rc = stepPatiently(stmt.get());
    return rc == SQLITE_ROW ? SQLITE_OK : rc;
}

// Executes one statement to the end, patiently.
int execute(sqlite3* db, std::string_view sql) {
    SqliteStatement stmt = prepareStatement(db, sql);
    if (!stmt) return sqlite3_errcode(db);
    int rc;
    while ((rc = stepPatiently(stmt.get())) == SQLITE_ROW) {
    }
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// Switching to WAL needs the file to itself: while other processes create the
// same store, SQLite refuses at once (busy) or keeps the old mode, so ask again.
int switchToWal(sqlite3* db) {
    const auto deadline = Clock::now() + kPatience;
    for (;;) {
        SqliteStatement stmt = prepareStatement(db, "PRAGMA journal_mode=WAL");
        if (!stmt) return sqlite3_errcode(db);
        const int rc = sqlite3_step(stmt.get());
        if (rc == SQLITE_ROW) {
            const auto* mode = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
            if (mode && std::strcmp(mode, "wal") == 0) return SQLITE_OK;
        } else if (!isBusy(rc)) {
            return rc;
        }
        if (Clock::now() >= deadline) return rc == SQLITE_ROW ? SQLITE_BUSY : rc;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

int prepareForUse(sqlite3* db) {
    int rc = switchToWal(db);
    // In WAL mode a commit is safe against a crash of the program without a
    // sync per write; the settings dialog writes some fifty keys on OK.
    if (rc == SQLITE_OK) rc = execute(db, "PRAGMA synchronous=NORMAL");
    if (rc == SQLITE_OK) rc = execute(db, kSchema);
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

std::string timeSuffix() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, ".corrupt-%Y%m%d-%H%M%S", &local);
    return text;
}

FileStamp stampOf(const struct stat& st) {
    return {st.st_dev, st.st_ino, st.st_size,
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

}  // namespace

int stepPatiently(sqlite3_stmt* stmt) {
    int rc = sqlite3_step(stmt);
    if (!isBusy(rc)) return rc;
    const auto deadline = Clock::now() + kPatience;
    while (isBusy(rc) && Clock::now() < deadline) {
        sqlite3_reset(stmt);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        rc = sqlite3_step(stmt);
    }
    return rc;
}

FileCheck checkStoreFile(const std::string& path) {
    FileCheck check;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            check.exists = true;
            check.problem = std::strerror(errno);
        }
        return check;
    }
    check.exists = true;
    check.stamp = stampOf(st);
    if (!S_ISREG(st.st_mode)) check.problem = "not a regular file";
    // Deliberately not opened here: closing any descriptor of the file drops
    // every POSIX lock this process holds on it, SQLite's included, and
    // another process could then take the WAL away from under a connection.
    return check;
}

Opened openForReading(const std::string& path) {
    // Read-write first, though nothing is written through it: a reader of a
    // WAL store opens the -wal and -shm files, and only a connection that may
    // write removes them again when it closes. Without the right to write,
    // read-only. A read-only folder cannot hold the -shm file; there the
    // immutable form, which needs none, is safe because nobody can write
    // either. Anywhere else it is not: it ignores other connections' locks.
    const std::string folder = fs::path(path).parent_path().string();
    const bool folderWritable = ::access(folder.empty() ? "." : folder.c_str(), W_OK) == 0;
    Opened last;
    for (const char* query : {"mode=rw", "mode=ro", "mode=ro&immutable=1"}) {
        const bool immutable = std::strstr(query, "immutable") != nullptr;
        if (immutable && folderWritable) break;
        const int flags = std::strcmp(query, "mode=rw") == 0 ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
        SqliteDb db = openConnection(fileUri(path, query), flags | SQLITE_OPEN_URI);
        if (!db) {
            last = failure(nullptr, SQLITE_CANTOPEN);
            continue;
        }
        const int rc = checkReadable(db.get());
        if (rc == SQLITE_OK) return {std::move(db), SQLITE_OK, {}};
        last = failure(db.get(), rc);
        if (isDamaged(rc) || isBusy(rc)) return last;
    }
    return last;
}

Opened openForWriting(const std::string& path) {
    std::error_code ec;
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty() && !fs::is_directory(parent, ec)) {
        fs::create_directories(parent, ec);
        if (ec) return {nullptr, SQLITE_CANTOPEN, "cannot create " + parent.string() + ": " + ec.message()};
    }
    // SQLite retries a create that failed as a read-only open and keeps that
    // call's errno ("No such file or directory"); the reason worth giving is
    // the one of the create, or of the write that a read-only file refuses.
    const std::string folder = parent.empty() ? "." : parent.string();
    const bool exists = ::access(path.c_str(), F_OK) == 0;
    if (!exists && ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return {nullptr, SQLITE_CANTOPEN, std::strerror(errno)};
    SqliteDb db = openConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!db) return failure(nullptr, SQLITE_CANTOPEN);
    // SQLite falls back to reading a file it may not write.
    if (sqlite3_db_readonly(db.get(), "main") == 1) {
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
            return {nullptr, SQLITE_READONLY, std::strerror(errno)};
        return failure(nullptr, SQLITE_READONLY);
    }
    // Checked before anything writes, so that a damaged file goes aside as it was.
    int rc = checkReadable(db.get());
    if (rc == SQLITE_OK) rc = prepareForUse(db.get());
    if (rc != SQLITE_OK) return failure(db.get(), rc);
    return {std::move(db), SQLITE_OK, {}};
}

MovedAside moveDamagedStoreAside(const std::string& path) {
    std::error_code ec;
    std::string aside = path + timeSuffix();
    // Two damaged files in one second must not overwrite each other.
    for (int n = 2; fs::exists(aside, ec); ++n) aside = path + timeSuffix() + "-" + std::to_string(n);
    fs::rename(path, aside, ec);
    if (ec) return {false, "cannot move it aside: " + ec.message()};
    // A WAL left beside a fresh file would be replayed into it.
    for (const char* companion : kCompanions) {
        std::error_code ignored;
        if (fs::exists(path + companion, ignored)) fs::rename(path + companion, aside + companion, ignored);
    }
    return {true, aside};
}

}  // namespace quillory
