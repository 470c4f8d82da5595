#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "engine/listing.h"
#include "net/smb_share.h"
#include "support/engine_fixture.h"
#include "support/smbd_server.h"

namespace quillory::test {
namespace {

using Clock = std::chrono::steady_clock;

std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string listed(EngineFixture& f, FolderSource& source, const std::string& base, Format format,
                   RunResult* result = nullptr) {
    StringSink sink;
    ListingContext ctx = f.makeContext();
    ctx.source = &source;
    RunResult r = runListing(ctx, base, format, sink);
    if (result) *result = std::move(r);
    return sink.text;
}

// Names a URL must escape, sizes on both sides of 4 GiB, times, attribute
// words from the extended attribute, a dot file, nested and empty folders,
// and a link back to an ancestor. False when extended attributes are not
// supported here.
bool makeTree(const ShareTree& t) {
    bool xattrs = true;
    t.file("readme.txt", 1234, 1000000000);
    t.file("big.iso", 5368709120LL, 1200000000);
    t.file("Caf\xC3\xA9 & co #1 @home 50% + more;=.txt", 10, 1300000000);
    t.file(".profile", 5, 1100000000);
    t.file("noext", 0, 1000000001);
    xattrs &= t.file("archive.tar.gz", 77, 1000000002, "0x21");
    xattrs &= t.file("system.sys", 3000000000LL, 1000000003, "0x06");
    xattrs &= t.file("all.dat", 1, 1000000004, "0x27");
    t.file("sub/inner.md", 2048, 1000000005);
    t.file("sub/deeper/leaf.c", 1048577, 1000000006);
    t.file("sub/deeper/more/x.h", 3, 1000000007);
    t.folder("empty");
    std::filesystem::create_directory_symlink("..", t.path() + "/sub/deeper/up");
    return xattrs;
}

struct ShareCase {
    const char* name;
    std::string SmbdServer::*dir;
    const char* share;
    bool withLogin;
};

TEST(SmbFolderSource, ListsAShareAsTheLocalCopyOfItsTree) {
    const SmbdServer& server = SmbdServer::suite();
    SKIP_WITHOUT_SMBD(server);
    const ShareCase cases[] = {{"guest share", &SmbdServer::guestDir, "guest", false},
                               {"share with a login", &SmbdServer::secureDir, "secure", true}};
    for (const ShareCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ShareTree tree(server.*c.dir, "same");
        EXPECT_TRUE(makeTree(tree)) << "extended attributes not supported: attribute words untested";
        const std::string url = server.url(c.share, tree.name());
        SmbCredentials login;
        if (c.withLogin) login = {server.user, server.password, std::nullopt};
        EngineFixture f;
        f.columns("111111");
        const auto share = makeSmbFolderSource(*parseSharePath(url), login, &f.stop, url);
        for (const Format format : {Format::Html, Format::Csv}) {
            RunResult result;
            const std::string remote = listed(f, *share, url, format, &result);
            EXPECT_TRUE(result.unreadable.empty()) << result.unreadable.front().path;
            const std::string local = listed(f, *f.source, tree.path(), format);
            EXPECT_EQ(replacedAll(remote, url, tree.path()), local);
            EXPECT_NE(local.find("archive.tar.gz"), std::string::npos);
        }
    }
}

TEST(SmbFolderSource, BackslashRootKeepsItsSpellingWithSlashesBelowIt) {
    const SmbdServer& server = SmbdServer::suite();
    SKIP_WITHOUT_SMBD(server);
    const ShareTree tree(server.guestDir, "spelling");
    tree.file("sub/a.txt", 1, 1000000000);
    EngineFixture f;
    const std::string root = "\\\\127.0.0.1\\guest\\" + tree.name();
    const auto share = makeSmbFolderSource(*parseSharePath(server.url("guest", tree.name())), {}, &f.stop, root);
    const std::string csv = listed(f, *share, root, Format::Csv);
    EXPECT_NE(csv.find("EMPTY," + root + "/,,,\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\"a.txt\",\"" + root + "/sub/\""), std::string::npos) << csv;
}

int closedPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
    ::close(s);
    return ntohs(a.sin_port);
}

TEST(CheckShare, TellsWhyAShareDoesNotOpen) {
    const SmbdServer& server = SmbdServer::suite();
    SKIP_WITHOUT_SMBD(server);
    const ShareTree tree(server.secureDir, "check");
    const SmbCredentials login{server.user, server.password, std::nullopt};
    const SmbCredentials wrong{server.user, std::string("not-the-password"), std::nullopt};
    const struct {
        const char* name;
        std::string url;
        SmbCredentials credentials;
        int expected;
    } rows[] = {
        {"guest share, own login", server.url("guest"), {}, 0},
        {"login share, right password", server.url("secure", tree.name()), login, 0},
        {"login share, wrong password", server.url("secure"), wrong, EACCES},
        {"login share, own login refused", server.url("secure"), {}, EACCES},
        {"missing share", server.url("nosuchshare"), {}, ENOENT},
        {"missing folder", server.url("guest", "no/such/folder"), {}, ENOENT},
        {"closed port", "smb://127.0.0.1:" + std::to_string(closedPort()) + "/guest", {}, ECONNREFUSED},
        {"unknown host", "smb://no-such-host.invalid/guest", {}, EHOSTUNREACH},
    };
    for (const auto& row : rows) {
        const auto start = Clock::now();
        EXPECT_EQ(checkShare(*parseSharePath(row.url), row.credentials), row.expected) << row.name;
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(12)) << row.name;
    }
}

// Kills the server for good once the walk has listed `folders` folders: the
// walk is then between two reads, as when a server dies while a user waits.
struct DropAfter final : WalkObserver {
    const PrivateSmbd& smbd;
    const RunProgress& progress;
    std::int64_t folders;
    bool dropped = false;
    DropAfter(const PrivateSmbd& s, const RunProgress& p, std::int64_t n) : smbd(s), progress(p), folders(n) {}
    void yield() override {
        if (dropped || progress.folders.load() < folders) return;
        smbd.drop();
        dropped = true;
    }
};

TEST(SmbFolderSource, ServerLostMidWalkLeavesWhatWasReadAndNamesTheRest) {
    const PrivateSmbd smbd;
    SKIP_WITHOUT_SMBD(smbd.server());
    const ShareTree tree(smbd.server().guestDir, "drop");
    constexpr int kFolders = 100, kFilesEach = 200;
    for (int i = 0; i < kFolders; ++i) tree.manyFiles("d" + std::to_string(i), kFilesEach);
    const std::string url = smbd.server().url("guest", tree.name());
    EngineFixture f;
    const auto share = makeSmbFolderSource(*parseSharePath(url), {}, &f.stop, url);
    RunProgress progress;
    // The base and ten of its folders.
    DropAfter drop(smbd, progress, 1 + 10);
    StringSink sink;
    ListingContext ctx = f.makeContext();
    ctx.source = share.get();
    ctx.observer = &drop;
    ctx.progress = &progress;
    const auto start = Clock::now();
    const RunResult result = runListing(ctx, url, Format::Csv, sink);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(15));
    EXPECT_EQ(result.outcome, RunResult::Outcome::Completed);
    // Folders read ahead of the walk before the drop are listed too.
    const auto unread = static_cast<int>(result.unreadable.size());
    EXPECT_LE(unread, kFolders - 10);
    EXPECT_EQ(f.totals.TotalFiles, (kFolders - unread) * kFilesEach) << "the folders read before the drop are listed whole";
    for (const UnreadFolder& u : result.unreadable) EXPECT_NE(u.error, 0) << u.path;
}

}  // namespace
}  // namespace quillory::test
