#pragma once
// The suite's Samba server (tests/support/smbd-fixture), as the tests see
// it: its port, the folders behind its two shares and the login of the one
// that needs it. Trees to list are made below a share's folder.
#include <cstdint>
#include <string>
#include <string_view>

#include "support/temp_dir.h"

namespace quillory::test {

struct SmbdServer {
    bool available = false;
    std::string why;  // when not available
    std::string dir;
    int port = 0;
    std::string guestDir, secureDir, user, password;

    // The server whose fixture folder holds DIR/state.
    static SmbdServer fromFolder(const std::string& dir);
    // The suite's server: the fixture folder the build names, or $QUILLORY_TEST_SMBD.
    static const SmbdServer& suite();
    // smb://127.0.0.1:PORT/share/sub
    std::string url(std::string_view share, std::string_view sub = {}) const;
};

#define SKIP_WITHOUT_SMBD(server) \
    if (!(server).available) GTEST_SKIP() << (server).why

// A server of one test's own, stopped (or already dropped) at the end.
class PrivateSmbd {
public:
    PrivateSmbd();
    ~PrivateSmbd();
    PrivateSmbd(const PrivateSmbd&) = delete;
    PrivateSmbd& operator=(const PrivateSmbd&) = delete;
    const SmbdServer& server() const { return m_server; }
    // Kills the server and its connections at once, as a crash would.
    void drop() const;

private:
    // In memory: a test's tree may hold tens of thousands of files.
    TempDir m_dir = TempDir::inMemory();
    SmbdServer m_server;
};

// A folder below a share's folder for one test, removed at the end.
class ShareTree : public TempDir {
public:
    // A fresh folder named `name` (plus six characters) below `shareDir`.
    ShareTree(const std::string& shareDir, std::string_view name);

    const std::string& name() const { return m_name; }  // below the share
    // A file as TempDir::file makes it; a non-empty `dosAttrib` becomes its
    // user.DOSATTRIB. False when the extended attribute could not be set.
    bool file(std::string_view relative, std::int64_t size, long long mtime, std::string_view dosAttrib = {}) const;

private:
    std::string m_name;
};

}  // namespace quillory::test
