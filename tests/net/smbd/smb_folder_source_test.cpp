#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "engine/listing.h"
#include "net/reader_pool.h"
#include "net/smb_share.h"
#include "net/smbd/share_walk.h"
#include "support/golden.h"
#include "support/scoped_env.h"
#include "support/smbd_server.h"

namespace quillory::test {
namespace {

using SmbFolderSource = OnSuiteSmbd;
using CheckShare = OnSuiteSmbd;

// Names a URL must escape, sizes around 4 GiB, attribute words, a dot file, nested and empty folders and a
// link back to an ancestor. False when extended attributes are not supported here.
bool makeTree(const ShareTree& t) {
    const struct { const char* name; long long size, mtime; const char* dosAttrib; } files[] = {
        {"readme.txt", 1234, 1000000000, ""}, {"big.iso", 5368709120LL, 1200000000, ""},
        {"Caf\xC3\xA9 & co #1 @home 50% + more;=.txt", 10, 1300000000, ""}, {".profile", 5, 1100000000, ""},
        {"noext", 0, 1000000001, ""}, {"archive.tar.gz", 77, 1000000002, "0x21"},
        {"system.sys", 3000000000LL, 1000000003, "0x06"}, {"all.dat", 1, 1000000004, "0x27"},
        {"sub/inner.md", 2048, 1000000005, ""}, {"sub/deeper/leaf.c", 1048577, 1000000006, ""},
        {"sub/deeper/more/x.h", 3, 1000000007, ""},
    };
    bool xattrs = true;
    for (const auto& f : files) xattrs &= t.file(f.name, f.size, f.mtime, f.dosAttrib) || !*f.dosAttrib;
    t.folder("empty");
    std::filesystem::create_directory_symlink("..", t.path() + "/sub/deeper/up");
    for (int i = 0; i < 24; ++i) t.manyFiles("many/d" + std::to_string(i), 30);  // blocks for several readers
    return xattrs;
}

TEST_F(SmbFolderSource, ListsAShareAsTheLocalCopyOfItsTree) {
    const std::tuple<const char*, std::string, SmbCredentials> cases[] = {
        {"guest", server.guestDir, {}}, {"secure", server.secureDir, {server.user, server.password, std::nullopt}}};
    for (const auto& [shareName, dir, login] : cases) {
        SCOPED_TRACE(shareName);
        const ShareTree tree(dir, "same");
        EXPECT_TRUE(makeTree(tree)) << "extended attributes not supported: attribute words untested";
        const std::string url = server.url(shareName, tree.name());
        EngineFixture f;
        f.columns("111111");
        for (const char* readers : {"", "0", "4"}) {  // the pool's default size, none (read here), four
            const ScopedEnv pool("QUILLORY_SMB_READERS", *readers ? readers : nullptr);
            const auto share = makeSmbFolderSource(*parseSharePath(url), login, &f.stop, url);
            for (const Format format : {Format::Html, Format::Csv}) {
                RunResult result;
                const std::string remote = listed(f, *share, url, format, &result);
                EXPECT_TRUE(result.unreadable.empty()) << readers << result.unreadable.front().path;
                const std::string local = listed(f, *f.source, tree.path(), format);
                EXPECT_EQ(replaced(remote, url, tree.path()), local) << readers;
                EXPECT_NE(local.find("archive.tar.gz"), std::string::npos);
            }
        }
    }
}

TEST_F(SmbFolderSource, BackslashRootKeepsItsSpellingWithSlashesBelowIt) {
    const ShareTree tree(server.guestDir, "spelling");
    tree.file("sub/a.txt", 1, 1000000000);
    EngineFixture f;
    const std::string root = "\\\\127.0.0.1\\guest\\" + tree.name();
    const auto share = makeSmbFolderSource(*parseSharePath(server.url("guest", tree.name())), {}, &f.stop, root);
    const std::string csv = listed(f, *share, root, Format::Csv);
    EXPECT_NE(csv.find("EMPTY," + root + "/,,,\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\"a.txt\",\"" + root + "/sub/\""), std::string::npos) << csv;
}

TEST_F(CheckShare, TellsWhyAShareDoesNotOpen) {
    const ShareTree tree(server.secureDir, "check");
    const SmbCredentials login{server.user, server.password, std::nullopt};
    const SmbCredentials wrong{server.user, std::string("not-the-password"), std::nullopt};
    const struct { const char* name; std::string url; SmbCredentials credentials; int expected; } rows[] = {
        {"guest share, own login", server.url("guest"), {}, 0},
        {"login share, right password", server.url("secure", tree.name()), login, 0},
        {"login share, wrong password", server.url("secure"), wrong, EACCES},
        {"login share, own login refused", server.url("secure"), {}, EACCES},
        {"missing share", server.url("nosuchshare"), {}, ENOENT},
        {"missing folder", server.url("guest", "no/such/folder"), {}, ENOENT},
        {"closed port", "smb://127.0.0.1:1/guest", {}, ECONNREFUSED},  // tcpmux: never served here
        {"unknown host", "smb://no-such-host.invalid/guest", {}, EHOSTUNREACH},
    };
    for (const auto& row : rows)
        EXPECT_EQ(checkShare(*parseSharePath(row.url), row.credentials), row.expected) << row.name;
}

TEST_F(SmbFolderSource, ServerLostMidWalkLeavesWhatWasReadAndNamesTheRest) {
    const PrivateSmbd smbd;
    SKIP_WITHOUT_SMBD(smbd.server());
    const ShareTree tree(smbd.server().guestDir, "drop");
    constexpr int kFolders = 100, kFilesEach = 200;
    for (int i = 0; i < kFolders; ++i) tree.manyFiles("d" + std::to_string(i), kFilesEach);
    const std::string url = smbd.server().url("guest", tree.name());
    // A server just started on a loaded machine may take the first login past
    // the client's timeout: the walk starts once it answers.
    for (int tries = 0; tries < 3 && checkShare(*parseSharePath(url), {}) != 0; ++tries) {}
    EngineFixture f;
    const auto share = makeSmbFolderSource(*parseSharePath(url), {}, &f.stop, url);
    // Killed for good once the base and ten folders are listed, between two reads of the walk.
    AfterFolders drop(1 + 10, [&] { smbd.drop(); });
    RunResult result;
    listed(f, *share, url, Format::Csv, &result, &drop);
    EXPECT_EQ(result.outcome, RunResult::Outcome::Completed);
    ASSERT_TRUE(drop.done) << "the walk never got past the base folder";
    // Folders read ahead of the walk before the drop are listed too.
    const auto unread = static_cast<int>(result.unreadable.size());
    EXPECT_LE(unread, kFolders - 10);
    EXPECT_EQ(f.totals.TotalFiles, (kFolders - unread) * kFilesEach) << "folders read before the drop are whole";
    for (const UnreadFolder& u : result.unreadable) EXPECT_NE(u.error, 0) << u.path;
}

}  // namespace
}  // namespace quillory::test
