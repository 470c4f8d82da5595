#include "settings/store.h"

#include <cstdlib>
#include <ctime>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "text/ascii_case.h"
#include "text/regional.h"
#include "platform/guarded_files.h"
#include "platform/user_dirs.h"
#include "settings/sqlite_handle.h"
#include "settings/store_file.h"

namespace quillory {

namespace {

std::string columnBytes(sqlite3_stmt* stmt, int column) {
    const void* data = sqlite3_column_blob(stmt, column);
    const int size = sqlite3_column_bytes(stmt, column);
    return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size))
                : std::string();
}

}  // namespace

std::string settingsStorePath() {
    if (const char* path = std::getenv("QUILLORY_SETTINGS"); path && *path) return path;
    return xdgFolder("XDG_CONFIG_HOME", ".config") + "/" + std::string(kAppName) + "/settings.sqlite";
}

// Every member below is guarded by `mutex`: one SQLite connection must not be
// used from two threads at once.
struct SettingsStore::Impl {
    std::string path;
    std::mutex mutex;

    SqliteDb db;
    bool writable = false;
    FileStamp openFile;              // the file the connection has open
    std::optional<FileStamp> refused;  // a file found unusable; looked at again once it changes
    SqliteStatement versionQuery;
    long long dataVersion = -1;  // -1: reload at the next look

    std::unordered_map<std::string, std::string> rows;  // settingAddress -> stored text
    std::unordered_map<std::string, std::string> overrides;  // laid over rows in snapshots
    bool rowsChanged = true;
    std::uint64_t generation = 0;
    std::shared_ptr<const SettingsSnapshot> current;
    std::time_t currentSecond = 0;

    bool looked = false;
    StoreStatus readStatus;                  // what the last look at the file found
    std::optional<std::string> movedTo;      // where a damaged file went
    std::optional<StoreStatus> writeProblem;  // why the last write could not open the file
    Status lastFailure;                       // the last write that failed

    void close();
    void forgetRows();
    void adopt(SqliteDb opened, const FileStamp& stamp, bool canWrite);
    void refresh();
    void openForRead(const FileCheck& file);
    void checkDataVersion();
    bool reload();
    void markDamaged();
    bool ensureWritable();
    Status change(const char* sql, std::initializer_list<std::string_view> binds);
    Status failed(const StoreStatus& why);
    std::shared_ptr<const SettingsSnapshot> snapshot();
    StoreStatus status() const;
};

void SettingsStore::Impl::close() {
    versionQuery.reset();
    db.reset();
    writable = false;
    dataVersion = -1;
}

void SettingsStore::Impl::forgetRows() {
    if (rows.empty()) return;
    rows.clear();
    rowsChanged = true;
}

void SettingsStore::Impl::adopt(SqliteDb opened, const FileStamp& stamp, bool canWrite) {
    db = std::move(opened);
    openFile = stamp;
    writable = canWrite;
    dataVersion = -1;
    refused.reset();
    versionQuery = prepareStatement(db.get(), "PRAGMA data_version");
    readStatus = {StoreState::Ready, {}};
}

// One stat, and with a connection one data_version question: the whole cost
// of a look when nothing changed. A file that was replaced, removed or
// rewritten by someone else is opened afresh.
void SettingsStore::Impl::refresh() {
    looked = true;
    const FileCheck file = checkStoreFile(path);
    if (db && (!file.exists || !file.problem.empty() || !file.stamp.sameFile(openFile))) {
        close();
        forgetRows();
    }
    if (!db) openForRead(file);
    if (db) checkDataVersion();
}

void SettingsStore::Impl::openForRead(const FileCheck& file) {
    if (!file.exists) {
        forgetRows();
        readStatus = {StoreState::NotCreated, {}};
        return;
    }
    if (refused && *refused == file.stamp) return;
    Opened opened;
    if (file.problem.empty()) opened = openForReading(path);
    if (!opened.db) {
        forgetRows();
        refused = file.stamp;
        if (!file.problem.empty()) readStatus = {StoreState::Unusable, file.problem};
        else if (isDamaged(opened.code)) readStatus = {StoreState::Damaged, opened.reason};
        else readStatus = {StoreState::Unusable, opened.reason};
        return;
    }
    adopt(std::move(opened.db), file.stamp, false);
}

// data_version moves when another connection commits; own changes reset
// dataVersion, so they are read back the same way.
void SettingsStore::Impl::checkDataVersion() {
    sqlite3_stmt* query = versionQuery.get();
    if (!query) return;
    const int rc = sqlite3_step(query);
    const long long version = rc == SQLITE_ROW ? sqlite3_column_int64(query, 0) : -1;
    sqlite3_reset(query);
    if (rc != SQLITE_ROW) {
        if (isDamaged(rc)) markDamaged();
        return;  // busy: keep the copy, look again next time
    }
    if (version != dataVersion && reload()) dataVersion = version;
}

// Loads the whole table and keeps it only when every row was read, so that a
// failed reload leaves the last good copy in place.
bool SettingsStore::Impl::reload() {
    std::unordered_map<std::string, std::string> fresh;
    SqliteStatement all = prepareStatement(db.get(), "SELECT app, section, name, value FROM setting");
    if (all) {
        int rc;
        while ((rc = stepPatiently(all.get())) == SQLITE_ROW) {
            fresh.emplace(settingAddress(columnBytes(all.get(), 0), columnBytes(all.get(), 1),
                                         columnBytes(all.get(), 2)),
                          columnBytes(all.get(), 3));
        }
        if (rc != SQLITE_DONE) {
            if (isDamaged(rc)) markDamaged();
            return false;
        }
    } else if (!lacksTable(db.get())) {
        if (isDamaged(sqlite3_errcode(db.get()))) markDamaged();
        return false;
    }  // else no table yet: nothing stored
    if (fresh != rows) {
        rows = std::move(fresh);
        rowsChanged = true;
    }
    return true;
}

// Damage found after the file was opened (another program wrote over it):
// reads answer defaults, and the next write moves the file aside.
void SettingsStore::Impl::markDamaged() {
    close();
    forgetRows();
    const FileCheck file = checkStoreFile(path);
    refused = file.stamp;
    readStatus = {StoreState::Damaged, "damaged while in use"};
}

bool SettingsStore::Impl::ensureWritable() {
    if (db && writable) return true;
    const FileCheck file = checkStoreFile(path);
    if (file.exists && !file.problem.empty()) {
        writeProblem = StoreStatus{StoreState::Unusable, file.problem};
        return false;
    }
    close();  // the read-only connection makes way
    Opened opened = openForWriting(path);
    if (!opened.db && isDamaged(opened.code)) {
        const MovedAside aside = moveDamagedStoreAside(path);
        if (!aside.moved) {
            writeProblem = StoreStatus{StoreState::Unusable, aside.detail};
            return false;
        }
        movedTo = aside.detail;
        forgetRows();
        opened = openForWriting(path);
    }
    if (!opened.db) {
        writeProblem = StoreStatus{file.exists ? StoreState::ReadOnly : StoreState::Unusable, opened.reason};
        return false;
    }
    writeProblem.reset();
    adopt(std::move(opened.db), checkStoreFile(path).stamp, true);
    return true;
}

// A write that failed, remembered for lastWriteFailure().
Status SettingsStore::Impl::failed(const StoreStatus& why) {
    std::string text = storeProblemText(why, path);
    if (text.empty()) text = "settings store " + path + " cannot be written";
    lastFailure = Status::error(why.state == StoreState::ReadOnly ? EACCES : EIO, std::move(text));
    return lastFailure;
}

// Runs one write statement; the next look reads the result back.
Status SettingsStore::Impl::change(const char* sql, std::initializer_list<std::string_view> binds) {
    refresh();
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!ensureWritable()) return failed(writeProblem.value_or(StoreStatus{StoreState::Unusable, {}}));
        SqliteStatement stmt = prepareStatement(db.get(), sql);
        int rc = stmt ? SQLITE_OK : sqlite3_errcode(db.get());
        if (stmt) {
            int index = 0;
            for (const std::string_view bind : binds) bindBytes(stmt.get(), ++index, bind);
            rc = stepPatiently(stmt.get());
        }
        if (rc == SQLITE_DONE) {
            dataVersion = -1;
            return Status::ok();
        }
        // A file found damaged by this write goes aside, and the write is
        // made once more in a fresh store.
        if (!isDamaged(rc)) return failed({StoreState::ReadOnly, sqlite3_errstr(rc)});
        markDamaged();
    }
    return failed({StoreState::Unusable, "damaged while in use"});
}

std::shared_ptr<const SettingsSnapshot> SettingsStore::Impl::snapshot() {
    refresh();
    // The date-time defaults are the current time: a snapshot that shows one
    // lasts a second.
    if (current && !rowsChanged && current->showsNow() && std::time(nullptr) != currentSecond)
        rowsChanged = true;
    if (!current || rowsChanged) {
        currentSecond = std::time(nullptr);
        std::unordered_map<std::string, std::string> shown = rows;
        for (const auto& [address, value] : overrides) shown.insert_or_assign(address, value);
        current = std::make_shared<const SettingsSnapshot>(std::move(shown), ++generation,
                                                           generalDateText(dateTimeFromTime(currentSecond)));
        rowsChanged = false;
    }
    return current;
}

StoreStatus SettingsStore::Impl::status() const {
    if (writeProblem) return *writeProblem;
    if (movedTo && readStatus.state == StoreState::Ready) return {StoreState::MovedAside, *movedTo};
    return readStatus;
}

SettingsStore::SettingsStore(std::string path) : m_impl(std::make_unique<Impl>()) {
    m_impl->path = std::move(path);
    // No listing may be saved over the store or the files SQLite keeps beside it.
    for (const char* companion : {"", "-wal", "-shm"})
        guardFromOutput(m_impl->path + companion, "the settings store " + m_impl->path);
}

SettingsStore::~SettingsStore() = default;

std::shared_ptr<const SettingsSnapshot> SettingsStore::snapshot() {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->snapshot();
}

Status SettingsStore::WriteSetting(std::string_view app, std::string_view section, std::string_view key,
                                   std::string_view value) {
    const std::string names[] = {asciiLower(app), asciiLower(section), asciiLower(key)};
    std::lock_guard lock(m_impl->mutex);
    return m_impl->change(
        "INSERT INTO setting(app, section, name, value) VALUES(?1, ?2, ?3, ?4)"
        " ON CONFLICT(app, section, name) DO UPDATE SET value = excluded.value",
        {names[0], names[1], names[2], value});
}

Status SettingsStore::remove(const SettingKey& key) {
    const std::string names[] = {asciiLower(kAppName), asciiLower(key.section), asciiLower(key.name)};
    std::lock_guard lock(m_impl->mutex);
    m_impl->refresh();
    if (m_impl->readStatus.state == StoreState::NotCreated) return Status::ok();
    return m_impl->change("DELETE FROM setting WHERE app = ?1 AND section = ?2 AND name = ?3",
                          {names[0], names[1], names[2]});
}

Status SettingsStore::removeAll() {
    const std::string app = asciiLower(kAppName);
    std::lock_guard lock(m_impl->mutex);
    m_impl->refresh();
    if (m_impl->readStatus.state == StoreState::NotCreated) return Status::ok();
    return m_impl->change("DELETE FROM setting WHERE app = ?1", {app});
}

void SettingsStore::setOverride(const SettingKey& key, std::string value) {
    std::string address = settingAddress(kAppName, key.section, key.name);
    std::lock_guard lock(m_impl->mutex);
    m_impl->overrides.insert_or_assign(std::move(address), std::move(value));
    m_impl->rowsChanged = true;
}

std::uint64_t SettingsStore::generation() { return snapshot()->generation; }

StoreStatus SettingsStore::status() {
    std::lock_guard lock(m_impl->mutex);
    if (!m_impl->looked) m_impl->refresh();
    return m_impl->status();
}

Status SettingsStore::lastWriteFailure() {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->lastFailure;
}

const std::string& SettingsStore::path() const { return m_impl->path; }

}  // namespace quillory
