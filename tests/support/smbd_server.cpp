#include "support/smbd_server.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <tuple>

#include "support/run_process.h"

namespace quillory::test {

static const std::string kFixture = std::string(QUILLORY_SOURCE_DIR) + "/tests/support/smbd-fixture";

SmbdServer SmbdServer::fromFolder(const std::string& dir) {
    SmbdServer s;
    s.dir = dir;
    std::ifstream in(dir + "/state");
    std::map<std::string, std::string> state;
    for (std::string line; std::getline(in, line);)
        if (const std::size_t eq = line.find('='); eq != std::string::npos) state[line.substr(0, eq)] = line.substr(eq + 1);
    s.port = std::atoi(state["port"].c_str());
    std::tie(s.guestDir, s.secureDir, s.user, s.password) = std::tie(state["guest"], state["secure"], state["user"], state["password"]);
    if (!in.is_open()) s.why = "no Samba server state in " + dir;
    else if (state.count("unavailable")) s.why = "no Samba server: " + state["unavailable"];
    else if (s.port <= 0) s.why = "incomplete Samba server state in " + dir;
    s.available = s.why.empty();
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

ShareTree::ShareTree(const std::string& shareDir, std::string_view name)
    : TempDir(shareDir, std::string(name) + "-"), m_name(path().substr(shareDir.size() + 1)) {
    ::chmod(path().c_str(), 0755);
}

bool ShareTree::file(std::string_view relative, std::int64_t size, long long mtime, std::string_view dosAttrib) const {
    const std::string p = TempDir::file(relative, size, mtime);
    return dosAttrib.empty() || ::setxattr(p.c_str(), "user.DOSATTRIB", dosAttrib.data(), dosAttrib.size(), 0) == 0;
}

}  // namespace quillory::test
