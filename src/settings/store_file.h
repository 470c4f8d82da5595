#pragma once
// The settings file itself: what kind of file is at the path, opening it for
// reading (which never creates or changes anything) or for writing (which
// creates the folders and the file), and moving a damaged file aside. Used by
// SettingsStore alone.
#include <sys/types.h>

#include <string>

#include "settings/sqlite_handle.h"

namespace quillory {

// Which file a path named, and in what state, so that a replaced, removed or
// rewritten file can be told apart from the one seen before.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;

    bool sameFile(const FileStamp& other) const { return device == other.device && inode == other.inode; }
    bool operator==(const FileStamp&) const = default;
};

struct FileCheck {
    bool exists = false;
    FileStamp stamp;
    std::string problem;  // why it cannot hold a store; "" when it can
};

// Looks at the path (one stat, so never blocking): a FIFO, a device or a
// folder, after symbolic links are followed, cannot hold a store.
FileCheck checkStoreFile(const std::string& path);

struct Opened {
    SqliteDb db;           // null on failure
    int code = SQLITE_OK;  // SQLite's result code of the failing step
    std::string reason;    // its message
};

// A read-only connection to an existing file; a file with no settings yet
// reads as empty. Creates nothing.
Opened openForReading(const std::string& path);

// A read-write connection in WAL mode with the table in place; creates the
// folders and the file. A damaged file is reported (code), never written.
Opened openForWriting(const std::string& path);

struct MovedAside {
    bool moved = false;
    std::string detail;  // the new path, or why the rename failed
};

// Renames a damaged store (and its WAL companions) to
// "<path>.corrupt-YYYYMMDD-HHMMSS", kept for the user to inspect.
MovedAside moveDamagedStoreAside(const std::string& path);

// Steps a statement, waiting out other connections' locks for a while; SQLite
// answers some lock conflicts at once, without its busy handler.
int stepPatiently(sqlite3_stmt* stmt);

}  // namespace quillory
