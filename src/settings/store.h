#pragma once
// The per-user settings store: text values addressed by application, section
// and key, names matched without case, kept in one SQLite file.
//
// Readers never see a stale value. The store keeps a write-through copy of the
// file's rows (table keys also by index, so that read(key) is a plain copy);
// the copy is checked against the file on every read, except inside a
// FolderScope, where the check is made once when the scope opens. The check
// compares the header of SQLite's shared WAL index, which every commit by any
// connection rewrites, with the one seen at the last full check; only when it
// moved is SQLite asked (data_version, which moves when another connection
// commits) and the copy reloaded. The folder walk opens one scope per folder,
// so a value that another process (a second Quillory, or quillory-list --set)
// writes is seen by the next read outside a scope, or by the first read after
// a folder starts; writes made through this object are seen at once
// everywhere.
//
// Thread-safe: a worker thread may walk while the window thread writes.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings/key_table.h"

namespace quillory {

// The store file: $QUILLORY_SETTINGS (a file path) when set, else
// $XDG_CONFIG_HOME/Tallyfold/settings.sqlite, else ~/.config/Tallyfold/settings.sqlite.
std::string settingsStorePath();

class SettingsStore {
public:
    // Opens or creates the store; never throws. A file that is not a database or
    // is corrupt is renamed aside (never deleted), a one-line warning goes to
    // stderr, and a fresh store is started. When no file can be used at all the
    // store still answers every read with its default and every write fails.
    explicit SettingsStore(std::string path = settingsStorePath());
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stored text, even when empty; `def` when the key is absent.
    std::string ReadSetting(std::string_view app, std::string_view section,
                            std::string_view key, std::string_view def = {});
    // Stores the value atomically. False (and the old value still readable)
    // when the file cannot be written.
    bool WriteSetting(std::string_view app, std::string_view section, std::string_view key,
                      std::string_view value);

    // Table shorthands under kAppKey. read() passes the key's own default (for
    // the date-time bounds: the current date and time as general date text).
    std::string read(const SettingKey& key);
    std::string read(const SettingKey& key, std::string_view def);
    bool write(const SettingKey& key, std::string_view value);

    // Changes whenever any stored value may have changed (own write or another
    // process's). Consumers that derive something from settings (compiled
    // patterns, say) keep it while the generation stays the same.
    std::uint64_t generation();

    const std::string& path() const;

    // Within a scope, other processes' writes are picked up once, when it opens.
    class FolderScope {
    public:
        explicit FolderScope(SettingsStore& store);
        ~FolderScope();
        FolderScope(const FolderScope&) = delete;
        FolderScope& operator=(const FolderScope&) = delete;

    private:
        SettingsStore& m_store;
    };

private:
    // The key's stored text, none when absent.
    std::optional<std::string> lookup(const SettingKey& key);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace quillory
