#include "support/smbd_server.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "support/run_process.h"

namespace quillory::test {

namespace fs = std::filesystem;

namespace {

const std::string kFixture = std::string(QUILLORY_SOURCE_DIR) + "/tests/support/smbd-fixture";

}  // namespace

SmbdServer SmbdServer::fromFolder(const std::string& dir) {
    SmbdServer s;
    s.dir = dir;
    std::ifstream in(dir + "/state");
    if (!in) {
        s.why = "no Samba server state in " + dir;
        return s;
    }
    for (std::string line; std::getline(in, line);) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "unavailable") s.why = "no Samba server: " + value;
        if (key == "port") s.port = std::atoi(value.c_str());
        if (key == "guest") s.guestDir = value;
        if (key == "secure") s.secureDir = value;
        if (key == "user") s.user = value;
        if (key == "password") s.password = value;
    }
    s.available = s.why.empty() && s.port > 0;
    if (!s.available && s.why.empty()) s.why = "incomplete Samba server state in " + dir;
    return s;
}

const SmbdServer& SmbdServer::suite() {
    static const SmbdServer server = [] {
#ifdef QUILLORY_TEST_SMBD_DIR
        const char* dir = std::getenv("QUILLORY_TEST_SMBD");
        return fromFolder(dir ? dir : QUILLORY_TEST_SMBD_DIR);
#else
        SmbdServer none;
        none.why = "built without a Samba server fixture";
        return none;
#endif
    }();
    return server;
}

std::string SmbdServer::url(std::string_view share, std::string_view sub) const {
    std::string u = "smb://127.0.0.1:" + std::to_string(port) + "/" + std::string(share);
    if (!sub.empty()) u += "/" + std::string(sub);
    return u;
}

PrivateSmbd::PrivateSmbd() {
    const ProcessResult started = runProcess({kFixture, "start", m_dir.path()});
    m_server = started.status == 0 ? SmbdServer::fromFolder(m_dir.path()) : SmbdServer{};
    if (started.status != 0) m_server.why = "smbd-fixture start failed: " + started.err;
}

PrivateSmbd::~PrivateSmbd() { runProcess({kFixture, "stop", m_dir.path()}); }

void PrivateSmbd::drop() const { runProcess({kFixture, "drop", m_dir.path()}); }

ShareTree::ShareTree(const std::string& shareDir, std::string_view name) {
    static std::atomic<int> counter{0};
    m_name = std::string(name) + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    m_path = shareDir + "/" + m_name;
    fs::remove_all(m_path);
    fs::create_directories(m_path);
}

ShareTree::~ShareTree() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

bool ShareTree::file(std::string_view relative, std::int64_t size, long long mtime, std::string_view dosAttrib) const {
    const std::string p = m_path + "/" + std::string(relative);
    fs::create_directories(fs::path(p).parent_path());
    const int fd = ::open(p.c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + p);
    const bool sized = size <= 0 || ::ftruncate(fd, size) == 0;
    ::close(fd);
    if (!sized) throw std::runtime_error("cannot size " + p);
    const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
    ::utimensat(AT_FDCWD, p.c_str(), times, 0);
    if (dosAttrib.empty()) return true;
    return ::setxattr(p.c_str(), "user.DOSATTRIB", dosAttrib.data(), dosAttrib.size(), 0) == 0;
}

void ShareTree::folder(std::string_view relative) const { fs::create_directories(m_path + "/" + std::string(relative)); }

void ShareTree::manyFiles(std::string_view relative, int count) const {
    folder(relative);
    const std::string dir = m_path + "/" + std::string(relative) + "/";
    for (int i = 0; i < count; ++i) {
        const int fd = ::open((dir + "f" + std::to_string(i)).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0) ::close(fd);
    }
}

}  // namespace quillory::test
