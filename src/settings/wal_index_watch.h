#pragma once
// Tells, without a system call, whether any connection may have committed to
// a WAL database since a moment the caller recorded.
//
// SQLite keeps a header at the start of a WAL database's shared-memory index
// (the "-shm" file): two copies of 48 bytes holding the last commit's frame
// count, the WAL salts and checksums. Every commit by any connection rewrites
// both copies with a value no earlier commit left there (the frame count grows
// within one WAL, and the salts change whenever the WAL starts over), and
// SQLite's own change detection (PRAGMA data_version) is a comparison of that
// header with the one it saw last. So a header equal to the one recorded at
// the last full check means nobody has committed since.
//
// The watch reads SQLite's own mapping of the index, reached through the
// connection's file handle, rather than opening the -shm file itself: closing
// a second descriptor on that file would drop the POSIX locks SQLite holds on
// it for the whole process. The mapping lives as long as the connection stays
// in WAL mode. While the connection is open no other one can truncate or
// remove the -shm file: that takes an exclusive lock that our connection's
// shared one excludes.
//
// Not thread-safe; the owner serialises calls together with the connection.
#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <optional>

namespace quillory {

class WalIndexWatch {
public:
    // Both copies of the header, as 32-bit words.
    using Header = std::array<std::uint32_t, 24>;

    // Starts watching db's main file when it is in WAL mode with a shared
    // index. Otherwise the watch stays detached and reports every moment as
    // possibly changed, so that the caller always checks fully.
    void attach(sqlite3* db);
    // Must be called before the connection closes: the mapping goes with it.
    void detach();

    // The header as it is now; nothing when detached.
    std::optional<Header> current() const;
    // True only when a header was confirmed and the index still holds it.
    bool unchangedSinceConfirmed() const;
    // The caller read `seen` before a full check that succeeded. A header
    // caught half-written (its two copies differ) is not kept.
    void confirm(const std::optional<Header>& seen);
    // A full check failed: the next question must be answered "changed".
    void forget();

private:
    const void* headerBytes() const;

    const volatile std::uint32_t* m_index = nullptr;
    std::optional<Header> m_confirmed;
};

}  // namespace quillory
