#include "settings/store.h"

#include <array>
#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include "platform/ascii_case.h"
#include "platform/user_dirs.h"
#include "settings/sqlite_handle.h"
#include "settings/store_file.h"
#include "settings/wal_index_watch.h"

namespace quillory {

namespace {

// Names match without case. Only ASCII letters fold: names are bytes, and a
// byte above 127 is not a letter of any one known alphabet.
void appendLowered(std::string& out, std::string_view name) {
    for (const char c : name) out += asciiLower(c);
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

// The look-up key of every table key, by index, and the way back.
struct TableAddresses {
    std::array<std::string, kAllKeys.size()> byIndex;
    std::unordered_map<std::string, std::size_t> indexOf;

    TableAddresses() {
        for (const SettingKey* key : kAllKeys) {
            byIndex[key->index] = addressOf(kAppKey, key->section, key->name);
            indexOf.emplace(byIndex[key->index], key->index);
        }
    }
};

const TableAddresses& tableAddresses() {
    static const TableAddresses addresses;
    return addresses;
}

// The key's index when it is the table's own entry (or a copy of it); none for
// a key made elsewhere, which is then looked up by its names.
std::optional<std::size_t> tableIndex(const SettingKey& key) {
    if (key.index >= kAllKeys.size()) return std::nullopt;
    const SettingKey& entry = *kAllKeys[key.index];
    if (&entry == &key || (entry.section == key.section && entry.name == key.name)) return key.index;
    return std::nullopt;
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
    WalIndexWatch walIndex;
    std::unordered_map<std::string, std::string> values;  // address -> stored text
    // The same values for the table keys, by index, so that a read by table
    // key needs no lower-casing and no hashing; none when not stored.
    std::array<std::optional<std::string>, kAllKeys.size()> tableValues;
    long long dataVersion = -1;
    std::uint64_t generation = 1;
    // Counted for the whole object, not per thread: while a walk holds a
    // scope, a read on another thread skips the check too. Own writes still
    // show at once, and the next scope picks up everything else.
    int openScopes = 0;

    void open();
    void reopenAfterDamage();
    void forgetValues();
    void fillTableValues();
    bool reload();
    bool checkDataVersion();
    void refreshIfChanged();
    const std::string* find(std::string_view app, std::string_view section, std::string_view key);
    int store(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value);
};

void SettingsStore::Impl::open() {
    walIndex.detach();
    versionQuery.reset();
    upsert.reset();
    db = openStoreFile(path);
    forgetValues();
    dataVersion = -1;
    if (!db) return;
    versionQuery = prepareStatement(db.get(), "PRAGMA data_version");
    // A read-only store has no use for it; its absence makes writes fail.
    upsert = prepareStatement(db.get(),
                              "INSERT INTO setting(app, section, name, value) VALUES(?1, ?2, ?3, ?4)"
                              " ON CONFLICT(app, section, name) DO UPDATE SET value = excluded.value");
    // The first check opens the WAL index, which the watch then shares; the
    // next read makes the first full check with it.
    refreshIfChanged();
    walIndex.attach(db.get());
}

// Damage found after the file was opened (another program wrote over it) is
// handled like damage found at start: the file is moved aside and the store
// starts afresh.
void SettingsStore::Impl::reopenAfterDamage() {
    walIndex.detach();
    versionQuery.reset();
    upsert.reset();
    db.reset();
    if (moveDamagedStoreAside(path)) open();
    else forgetValues();
    ++generation;
}

void SettingsStore::Impl::forgetValues() {
    values.clear();
    for (std::optional<std::string>& value : tableValues) value.reset();
}

void SettingsStore::Impl::fillTableValues() {
    const TableAddresses& addresses = tableAddresses();
    for (std::size_t i = 0; i < tableValues.size(); ++i) {
        const auto found = values.find(addresses.byIndex[i]);
        if (found != values.end()) tableValues[i] = found->second;
        else tableValues[i].reset();
    }
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
    fillTableValues();
    return true;
}

// data_version moves when another connection commits; our own writes keep
// the copy current without it. True when the copy is now as current as the
// version read; false when the file could not be asked or read.
bool SettingsStore::Impl::checkDataVersion() {
    if (!versionQuery) return false;
    sqlite3_stmt* query = versionQuery.get();
    const int rc = sqlite3_step(query);
    const long long version = rc == SQLITE_ROW ? sqlite3_column_int64(query, 0) : -1;
    sqlite3_reset(query);
    if (rc != SQLITE_ROW) {
        if (isDamaged(rc)) reopenAfterDamage();
        return false;  // a busy or unreadable file: keep the copy, try again next read
    }
    if (version == dataVersion) return true;
    if (!reload()) return false;
    dataVersion = version;
    ++generation;
    return true;
}

// data_version is a read transaction (two file locks, a few microseconds), so
// it is asked only when the WAL index header moved since the last successful
// check: an unchanged header means no connection has committed since.
void SettingsStore::Impl::refreshIfChanged() {
    if (walIndex.unchangedSinceConfirmed()) return;
    // Read before the check: a commit that lands during it then shows as a
    // difference at the next read rather than passing as seen.
    const std::optional<WalIndexWatch::Header> seen = walIndex.current();
    if (checkDataVersion()) walIndex.confirm(seen);
    else walIndex.forget();
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
    std::string address = addressOf(app, section, key);
    const TableAddresses& addresses = tableAddresses();
    if (const auto entry = addresses.indexOf.find(address); entry != addresses.indexOf.end())
        tableValues[entry->second] = std::string(value);
    values[std::move(address)] = std::string(value);
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

std::optional<std::string> SettingsStore::lookup(const SettingKey& key) {
    const std::optional<std::size_t> index = tableIndex(key);
    std::lock_guard lock(m_impl->mutex);
    if (!index) {
        const std::string* stored = m_impl->find(kAppKey, key.section, key.name);
        return stored ? std::optional<std::string>(*stored) : std::nullopt;
    }
    if (m_impl->openScopes == 0) m_impl->refreshIfChanged();
    return m_impl->tableValues[*index];
}

std::uint64_t SettingsStore::generation() {
    std::lock_guard lock(m_impl->mutex);
    // Outside a scope a consumer may hold derived state across folders, so
    // another process's write must move the generation as it would a read.
    if (m_impl->openScopes == 0) m_impl->refreshIfChanged();
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
