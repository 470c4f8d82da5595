#include "settings/wal_index_watch.h"

#include <atomic>
#include <cstring>
#include <string_view>

#include "settings/sqlite_handle.h"

namespace quillory {

namespace {

// The index is mapped in pages of this size; the header opens the first one.
constexpr int kIndexPageSize = 32768;
constexpr std::size_t kHeaderBytes = sizeof(WalIndexWatch::Header);
constexpr std::size_t kCopyBytes = kHeaderBytes / 2;

bool inWalMode(sqlite3* db) {
    SqliteStatement mode = prepareStatement(db, "PRAGMA main.journal_mode");
    if (!mode || sqlite3_step(mode.get()) != SQLITE_ROW) return false;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(mode.get(), 0));
    return text && std::string_view(text) == "wal";
}

}  // namespace

void WalIndexWatch::attach(sqlite3* db) {
    detach();
    if (!db || !inWalMode(db)) return;
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK) return;
    if (!file || !file->pMethods || file->pMethods->iVersion < 2 || !file->pMethods->xShmMap) return;
    // The connection has mapped the page already; this returns SQLite's own
    // pointer and extends nothing. Any other answer (a read-only index kept
    // in private memory, say) leaves the watch detached.
    volatile void* page = nullptr;
    if (file->pMethods->xShmMap(file, 0, kIndexPageSize, 0, &page) != SQLITE_OK || !page) return;
    m_index = static_cast<const volatile std::uint32_t*>(page);
}

void WalIndexWatch::detach() {
    m_index = nullptr;
    m_confirmed.reset();
}

// Another process writes these bytes. After the fence no read of them can be
// served from before the call, which is what the volatile mapping asks for,
// so a plain block copy or compare is as good as SQLite's own header reads.
const void* WalIndexWatch::headerBytes() const {
    std::atomic_thread_fence(std::memory_order_acquire);
    return const_cast<const std::uint32_t*>(m_index);
}

std::optional<WalIndexWatch::Header> WalIndexWatch::current() const {
    if (!m_index) return std::nullopt;
    Header header;
    std::memcpy(header.data(), headerBytes(), kHeaderBytes);
    return header;
}

bool WalIndexWatch::unchangedSinceConfirmed() const {
    return m_index && m_confirmed && std::memcmp(headerBytes(), m_confirmed->data(), kHeaderBytes) == 0;
}

void WalIndexWatch::confirm(const std::optional<Header>& seen) {
    const auto* bytes = seen ? reinterpret_cast<const unsigned char*>(seen->data()) : nullptr;
    const bool whole = bytes && std::memcmp(bytes, bytes + kCopyBytes, kCopyBytes) == 0;
    if (m_index && whole) m_confirmed = seen;
    else m_confirmed.reset();
}

void WalIndexWatch::forget() { m_confirmed.reset(); }

}  // namespace quillory
