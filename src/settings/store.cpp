#include "settings/store.h"

#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include "platform/user_dirs.h"
#include "settings/sqlite_handle.h"
#include "settings/store_file.h"

namespace quillory {

namespace {

// Names match without case. Only ASCII letters fold: names are bytes, and a
// byte above 127 is not a letter of any one known alphabet.
void appendLowered(std::string& out, std::string_view name) {
    for (const char c : name) out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// One look-up key for the three names. Each name is preceded by its length,
// so that no choice of bytes inside a name can make two addresses collide.
std::string addressOf(std::string_view app, std::string_view section, std::string_view key) {
    std::string address;
    address.reserve(app.size() + section.size() + key.size() + 3 * sizeof(std::uint32_t));
    for (const std::string_view name : {app, section, key}) {
        const auto size = static_cast<std::uint32_t>(name.size());
        address.append(reinterpret_cast<const char*>(&size), sizeof size);
        appendLowered(address, name);
    }
    return address;
}

std::string lowered(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    appendLowered(out, name);
    return out;
}

std::string columnBytes(sqlite3_stmt* stmt, int column) {
    const void* data = sqlite3_column_blob(stmt, column);
    const int size = sqlite3_column_bytes(stmt, column);
    return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size))
                : std::string();
}

}  // namespace

std::string settingsStorePath() {
    if (const char* path = std::getenv("QUILLORY_SETTINGS"); path && *path) return path;
    return xdgFolder("XDG_CONFIG_HOME", ".config") + "/Tallyfold/settings.sqlite";
}

// Every member below is guarded by `mutex`: a walk on a worker thread reads
// while the window thread writes, and one SQLite connection must not be used
// from two threads at once.
struct SettingsStore::Impl {
    std::string path;
    std::mutex mutex;
    SqliteDb db;
    SqliteStatement versionQuery;
    SqliteStatement upsert;
    std::unordered_map<std::string, std::string> values;  // address -> stored text
    long long dataVersion = -1;
    std::uint64_t generation = 1;
    // Counted for the whole object, not per thread: while a walk holds a
    // scope, a read on another thread skips the check too. Own writes still
    // show at once, and the next scope picks up everything else.
    int openScopes = 0;

    void open();
    void reopenAfterDamage();
    bool reload();
    void refreshIfChanged();
    const std::string* find(std::string_view app, std::string_view section, std::string_view key);
    int store(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value);
};

void SettingsStore::Impl::open() {
    versionQuery.reset();
    upsert.reset();
    db = openStoreFile(path);
    values.clear();
    dataVersion = -1;
    if (!db) return;
    versionQuery = prepareStatement(db.get(), "PRAGMA data_version");
    // A read-only store has no use for it; its absence makes writes fail.
    upsert = prepareStatement(db.get(),
                              "INSERT INTO setting(app, section, name, value) VALUES(?1, ?2, ?3, ?4)"
                              " ON CONFLICT(app, section, name) DO UPDATE SET value = excluded.value");
    refreshIfChanged();
}

// Damage found after the file was opened (another program wrote over it) is
// handled like damage found at start: the file is moved aside and the store
// starts afresh.
void SettingsStore::Impl::reopenAfterDamage() {
    versionQuery.reset();
    upsert.reset();
    db.reset();
    if (moveDamagedStoreAside(path)) open();
    else values.clear();
    ++generation;
}

// Loads the whole table into a new copy and swaps it in only when every row
// was read, so that a failed reload leaves the last good copy in place.
bool SettingsStore::Impl::reload() {
    SqliteStatement all = prepareStatement(db.get(), "SELECT app, section, name, value FROM setting");
    if (!all) return false;
    std::unordered_map<std::string, std::string> fresh;
    int rc;
    while ((rc = sqlite3_step(all.get())) == SQLITE_ROW) {
        fresh.emplace(addressOf(columnBytes(all.get(), 0), columnBytes(all.get(), 1),
                                columnBytes(all.get(), 2)),
                      columnBytes(all.get(), 3));
    }
    if (rc != SQLITE_DONE) {
        if (isDamaged(rc)) reopenAfterDamage();
        return false;
    }
    values = std::move(fresh);
    return true;
}

// data_version moves when another connection commits, and costs no file read
// in WAL mode; our own writes keep the copy current without it.
void SettingsStore::Impl::refreshIfChanged() {
    if (!versionQuery) return;
    sqlite3_stmt* query = versionQuery.get();
    const int rc = sqlite3_step(query);
    const long long version = rc == SQLITE_ROW ? sqlite3_column_int64(query, 0) : -1;
    sqlite3_reset(query);
    if (rc != SQLITE_ROW) {
        if (isDamaged(rc)) reopenAfterDamage();
        return;  // a busy or unreadable file: keep the copy, try again next read
    }
    if (version == dataVersion) return;
    if (reload()) {
        dataVersion = version;
        ++generation;
    }
}

// The stored text, or null when absent. Outside a folder scope every read
// first looks for other processes' writes.
const std::string* SettingsStore::Impl::find(std::string_view app, std::string_view section,
                                             std::string_view key) {
    const std::string address = addressOf(app, section, key);
    if (openScopes == 0) refreshIfChanged();
    const auto found = values.find(address);
    return found != values.end() ? &found->second : nullptr;
}

// SQLite's result code of the write; SQLITE_DONE when committed.
int SettingsStore::Impl::store(std::string_view app, std::string_view section,
                               std::string_view key, std::string_view value) {
    if (!upsert) return SQLITE_READONLY;
    sqlite3_stmt* stmt = upsert.get();
    const std::string names[] = {lowered(app), lowered(section), lowered(key)};
    for (int i = 0; i < 3; ++i) bindBytes(stmt, i + 1, names[i]);
    bindBytes(stmt, 4, value);
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (rc != SQLITE_DONE) {
        if (isDamaged(rc)) reopenAfterDamage();
        return rc;
    }
    // Only a committed value enters the copy: a failed write leaves the old
    // value readable.
    values[addressOf(app, section, key)] = std::string(value);
    ++generation;
    return rc;
}

SettingsStore::SettingsStore(std::string path) : m_impl(std::make_unique<Impl>()) {
    m_impl->path = std::move(path);
    m_impl->open();
}

SettingsStore::~SettingsStore() = default;

std::string SettingsStore::ReadSetting(std::string_view app, std::string_view section,
                                       std::string_view key, std::string_view def) {
    std::lock_guard lock(m_impl->mutex);
    const std::string* stored = m_impl->find(app, section, key);
    return stored ? *stored : std::string(def);
}

bool SettingsStore::WriteSetting(std::string_view app, std::string_view section,
                                 std::string_view key, std::string_view value) {
    std::lock_guard lock(m_impl->mutex);
    const int rc = m_impl->store(app, section, key, value);
    if (rc == SQLITE_DONE) return true;
    // A store found damaged by this write has just been started afresh.
    return isDamaged(rc) && m_impl->store(app, section, key, value) == SQLITE_DONE;
}

std::optional<std::string> SettingsStore::lookup(std::string_view section, std::string_view key) {
    std::lock_guard lock(m_impl->mutex);
    const std::string* stored = m_impl->find(kAppKey, section, key);
    return stored ? std::optional<std::string>(*stored) : std::nullopt;
}

std::uint64_t SettingsStore::generation() {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->generation;
}

const std::string& SettingsStore::path() const { return m_impl->path; }

SettingsStore::FolderScope::FolderScope(SettingsStore& store) : m_store(store) {
    std::lock_guard lock(m_store.m_impl->mutex);
    m_store.m_impl->refreshIfChanged();
    ++m_store.m_impl->openScopes;
}

SettingsStore::FolderScope::~FolderScope() {
    std::lock_guard lock(m_store.m_impl->mutex);
    --m_store.m_impl->openScopes;
}

}  // namespace quillory
