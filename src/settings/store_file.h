#pragma once
// Opening the settings file: its folder is created, a damaged file is moved
// aside and replaced by a fresh one, and a file that cannot be written is
// still opened for reading when possible. Used by SettingsStore alone.
#include <string>

#include "settings/sqlite_handle.h"

namespace quillory {

// The connection, or null when no database can be used at that path at all
// (the store then answers with defaults and refuses writes).
SqliteDb openStoreFile(const std::string& path);

// Renames a damaged store (and its WAL companions) to
// "<path>.corrupt-YYYYMMDD-HHMMSS" and says so on stderr in one line. The
// file is kept for the user to inspect, never deleted. False when the rename
// failed.
bool moveDamagedStoreAside(const std::string& path);

}  // namespace quillory
