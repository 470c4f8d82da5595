#pragma once
// The per-user settings store: text values addressed by application, section
// and key, names matched without case, kept in one SQLite file.
//
// Freshness: every read and every snapshot first asks SQLite whether any
// other connection committed since the last look (PRAGMA data_version) and
// whether the path still names the same file; only when either moved, or
// this object wrote, is the copy in memory reloaded. So a value written by
// anybody (this object, another one, another process such as
// quillory-list --set) is seen by the next read or snapshot.
//
// Reading never creates, moves or changes anything: the file is opened
// read-only, and only when first needed. A missing file answers defaults; a
// damaged one answers defaults and says so in status(). Only a write creates
// the folders and the file, and only a write moves a damaged file aside.
//
// Thread-safe: a worker thread may walk (taking snapshots) while the window
// thread writes. Snapshots are immutable and may be kept on any thread.
//
// Files: store.cpp keeps the SQLite file (store_file.cpp checks, opens and
// moves it aside; sqlite_handle.h holds the handles) and hands out
// snapshot.cpp's immutable copies; store_keys.cpp reads and writes by
// key_table.cpp's keys; values.cpp and typed_value.cpp turn stored texts into
// typed values; store_status.cpp words the file's state; mapped_drives.cpp
// keeps net/'s drive table in the store.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/status.h"
#include "settings/key_table.h"
#include "settings/snapshot.h"
#include "settings/store_status.h"

namespace quillory {

// The store file: $QUILLORY_SETTINGS (a file path) when set, else
// $XDG_CONFIG_HOME/Tallyfold/settings.sqlite, else ~/.config/Tallyfold/settings.sqlite.
std::string settingsStorePath();

class SettingsStore {
public:
    // Touches nothing until the first read or write; never throws.
    explicit SettingsStore(std::string path = settingsStorePath());
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The values as they are now. When nothing changed since the last call
    // the same snapshot comes back (no copy), so a consumer can keep what it
    // derived from it while the pointer stays the same.
    std::shared_ptr<const SettingsSnapshot> snapshot();

    // Stores the value atomically. A failure (the old value still readable)
    // says why in its message, a line for the user; status() agrees.
    Status WriteSetting(std::string_view app, std::string_view section, std::string_view key,
                        std::string_view value);

    // Table shorthands under kAppName. read() passes the key's own default (for
    // the date-time bounds: the current date and time as general date text).
    std::string read(const SettingKey& key);
    std::string read(const SettingKey& key, std::string_view def);
    Status write(const SettingKey& key, std::string_view value);
    // Forgets a stored value, so readers get their defaults again. Ok when it
    // is gone (or was never stored); a store that does not exist stays so.
    Status remove(const SettingKey& key);
    // Forgets every value of the application: a reset to the defaults.
    Status removeAll();

    // The last write of this object that failed; ok while none has. A window
    // that ignores single writes can tell the user once that changes are not kept.
    Status lastWriteFailure();

    // A value for this object alone: reads and snapshots see it in place of
    // the stored one (and as stored), writes never store it, and the file is
    // neither created nor changed by it. For one run's own options.
    void setOverride(const SettingKey& key, std::string value);

    // snapshot()->generation.
    std::uint64_t generation();

    // How the file looked at the last read or write (looked at now when
    // nothing was read yet).
    StoreStatus status();
    const std::string& path() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace quillory
