// A killed reader, folders deleted while queued, a server that stops answering and a refused password end the
// reader pool's work cleanly (that several readers list the same bytes as one is the folder source's test).
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <thread>

#include "net/reader_pool.h"
#include "net/smb_client.h"
#include "net/smb_share.h"
#include "net/smbd/share_walk.h"
#include "support/golden.h"
#include "support/scoped_env.h"
#include "support/smbd_server.h"

namespace quillory::test {
namespace {

using ReaderPool = OnSuiteSmbd;
using SmbClient = OnSuiteSmbd;

std::vector<pid_t> childrenOf(pid_t parent) {
    std::vector<pid_t> out;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string pid, name, state, ppid;
        // The names here (smbd, quillory-smb-reader) hold no blank.
        if (stat >> pid >> name >> state >> ppid && state != "Z" && ppid == std::to_string(parent))
            out.push_back(std::stoi(pid));
    }
    return out;
}

std::unique_ptr<FolderSource> shareSource(const std::string& url, const SmbCredentials& login, const StopToken& stop,
                                          const char* readers) {
    const ScopedEnv pool("QUILLORY_SMB_READERS", readers);
    return makeSmbFolderSource(*parseSharePath(url), login, &stop, url);
}

// The password reaches the readers through their socket only; a refused one is tried by one reader only.
TEST_F(ReaderPool, PasswordReachesReadersThroughTheirSocketOnly) {
    const ShareTree tree(server.secureDir, "secret");
    for (const char* d : {"d0", "d1", "d2"}) tree.manyFiles(d, 1);
    const std::string url = server.url("secure", tree.name());
    StopToken stop;
    {
        // The pool sizes itself: even on loopback, a second reader once two folders are read.
        const auto source = shareSource(url, {server.user, server.password, std::nullopt}, stop, nullptr);
        const auto root = source->open(url);
        ASSERT_TRUE(root->readable()) << root->error();
        const auto first = root->openChild(0);
        ASSERT_TRUE(root->openChild(1)->readable());
        const std::vector<pid_t> readers = childrenOf(::getpid());
        ASSERT_GE(readers.size(), 2u);
        for (const pid_t pid : readers)
            for (const char* what : {"cmdline", "environ"}) {
                const std::string text = readFile("/proc/" + std::to_string(pid) + "/" + what);
                EXPECT_FALSE(text.empty()) << what;
                EXPECT_EQ(text.find(server.password), std::string::npos) << what;
            }
    }
    const auto refused = shareSource(url, {server.user, std::string("not-the-password"), std::nullopt}, stop, "4");
    EXPECT_EQ(refused->open(url)->error(), EACCES);
    EXPECT_EQ(childrenOf(::getpid()).size(), 1u);
}

// A reader killed mid-walk costs its folder (EIO); folders deleted once the
// root is read, and so queued, are not read (ENOENT). Either way the walk goes
// on, and every other folder, also one read before it went, is listed whole.
TEST_F(ReaderPool, KilledReaderOrDeletedFoldersCostOnlyThoseFolders) {
    constexpr int kFolders = 40, kFilesEach = 50;
    for (const bool killing : {true, false}) {
        const ShareTree tree(server.guestDir, killing ? "killed" : "deleted");
        for (int i = 0; i < kFolders; ++i) tree.manyFiles("d" + std::to_string(i), kFilesEach);
        const std::string url = server.url("guest", tree.name());
        EngineFixture f;
        const auto source = shareSource(url, {}, f.stop, "3");
        std::size_t readers = 0;
        pid_t killed = 0;
        AfterFolders act(killing ? 5 : 1, [&] {
            if (!killing) {
                for (int i = kFolders / 2; i < kFolders; ++i) std::filesystem::remove_all(tree.path() + "/d" + std::to_string(i));
                return;
            }
            const std::vector<pid_t> running = childrenOf(::getpid());
            readers = running.size();
            killed = running.front();
            ::kill(killed, SIGKILL);
            // SIGKILL lands when the kernel next runs the reader: wait for it to be dead (a zombie or gone), so
            // the rest of the walk, which may be read ahead already, cannot finish before it.
            const std::string stat = "/proc/" + std::to_string(killed) + "/stat";
            const auto dead = [&] {
                std::ifstream in(stat);
                std::string pid, name, state;
                return !(in >> pid >> name >> state) || state == "Z" || state == "X";
            };
            for (int waited = 0; waited < 5000 && !dead(); ++waited) ::usleep(1000);
        });
        RunResult result;
        listed(f, *source, url, Format::Csv, &result, &act);
        EXPECT_EQ(result.outcome, RunResult::Outcome::Completed) << tree.name();
        EXPECT_EQ(f.totals.TotalFolders, 1 + kFolders) << "an unreadable folder still gets its block";
        for (const UnreadFolder& u : result.unreadable) EXPECT_EQ(u.error, killing ? EIO : ENOENT) << u.path;
        EXPECT_EQ(f.totals.TotalFiles, (kFolders - static_cast<int>(result.unreadable.size())) * kFilesEach)
            << "every other folder is listed whole";
        if (!killing) {
            EXPECT_FALSE(result.unreadable.empty());
            continue;
        }
        EXPECT_EQ(readers, 3u);
        EXPECT_LE(result.unreadable.size(), 1u);
        const std::vector<pid_t> after = childrenOf(::getpid());
        EXPECT_EQ(std::count(after.begin(), after.end(), killed), 0);
        EXPECT_LE(after.size(), 3u) << "a reader that died may be replaced, no more";
    }
}

TEST_F(ReaderPool, StopEndsAReadTheServerNeverAnswers) {
    const PrivateSmbd smbd;
    SKIP_WITHOUT_SMBD(smbd.server());
    const ShareTree tree(smbd.server().guestDir, "frozen");
    // Folders nested in one chain: each is known only once its parent is
    // read, so the readers stay a folder or two ahead and the walk must wait.
    std::string chain = "d0";
    for (int i = 0; i < 100; chain += "/d" + std::to_string(++i)) tree.manyFiles(chain, 10);
    const std::string url = smbd.server().url("guest", tree.name());
    const pid_t daemon = std::stoi(readFile(smbd.server().dir + "/run/smbd.pid"));
    EngineFixture f;
    const auto source = shareSource(url, {}, f.stop, "2");
    std::vector<pid_t> frozen;
    std::thread stopper;
    AfterFolders freeze(3, [&] {
        // The server's connection processes stop answering; Stop comes while the walk waits.
        frozen = childrenOf(daemon);
        for (const pid_t pid : frozen) ::kill(pid, SIGSTOP);
        stopper = std::thread([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            f.stop.request();
        });
    });
    RunResult result;
    listed(f, *source, url, Format::Csv, &result, &freeze);
    stopper.join();
    // Still frozen: the walk did not wait for an answer or a timeout.
    for (const pid_t pid : frozen) {
        EXPECT_NE(readFile("/proc/" + std::to_string(pid) + "/stat").find(") T "), std::string::npos);
        ::kill(pid, SIGCONT);
    }
    EXPECT_FALSE(frozen.empty());
    EXPECT_EQ(result.outcome, RunResult::Outcome::Stopped);
    for (const UnreadFolder& u : result.unreadable) EXPECT_EQ(u.error, ECANCELED) << u.path;
    EXPECT_LT(f.totals.TotalFolders, 1 + 100);
    EXPECT_TRUE(childrenOf(::getpid()).empty()) << "Stop ends the readers";
}


// Relays one connection to the server. Directory queries ask for at most
// `batch` bytes, so a folder comes in several answers; from answer `failAt`
// of each folder on, `failures` answers in all become errors, as from a
// server that cuts a read short.
struct FailingQueries {
    int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    std::thread relay;
    FailingQueries(int serverPort, int failAt, int failures, std::uint32_t batch) {
        socklen_t length = sizeof at;
        ::bind(listener, reinterpret_cast<sockaddr*>(&at), length);
        ::listen(listener, 1);
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&at), &length);
        relay = std::thread([this, serverPort, failAt, failures, batch]() mutable {
            sockaddr_in to{AF_INET, htons(static_cast<std::uint16_t>(serverPort)), {htonl(INADDR_LOOPBACK)}, {}};
            pollfd ends[] = {{::accept(listener, nullptr, nullptr), POLLIN, 0}, {::socket(AF_INET, SOCK_STREAM, 0), POLLIN, 0}};
            ::connect(ends[1].fd, reinterpret_cast<sockaddr*>(&to), sizeof to);
            std::string pending[2];
            char chunk[65536];
            int answer = 0;
            while (::poll(ends, 2, -1) > 0) {
                const int from = ends[0].revents != 0 ? 0 : 1;
                const ssize_t got = ::read(ends[from].fd, chunk, sizeof chunk);
                if (got <= 0) break;
                // Whole frames: a length of 3 bytes after a 0, then the SMB2
                // header with its status at 8 and its command at 12 (5 opens,
                // 14 queries); a query's buffer size is at 28 past the header.
                std::string& frames = pending[from];
                frames.append(chunk, static_cast<std::size_t>(got));
                const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(frames[i]); };
                std::size_t frame = 0;
                while (frames.size() >= 4 && frames.size() >= 4 + (frame = byte(1) << 16 | byte(2) << 8 | byte(3))) {
                    const bool smb2 = frame >= 64 && byte(4) == 0xfe && byte(17) == 0;
                    if (smb2 && from == 0 && byte(16) == 0x0e) frames.replace(96, 4, reinterpret_cast<char*>(&batch), 4);
                    if (smb2 && from == 1 && byte(16) == 0x05) answer = 0;
                    if (smb2 && from == 1 && byte(16) == 0x0e && ++answer >= failAt && failures-- > 0)
                        frames.replace(12, 4, "\x9a\x00\x00\xc0", 4);  // insufficient resources
                    (void)!::write(ends[1 - from].fd, frames.data(), 4 + frame);
                    frames.erase(0, 4 + frame);
                }
            }
            for (const pollfd& end : ends) ::close(end.fd);
        });
    }
    ~FailingQueries() { relay.join(); ::close(listener); }
};

TEST_F(SmbClient, AListingTheServerCutsShortIsReadAgainOrUnread) {
    const ShareTree tree(server.guestDir, "cut");
    tree.manyFiles("d", 30);
    const struct {
        const char* name;
        int failAt, failures, error;
        std::size_t entries;
    } rows[] = {{"first answer once: read again", 1, 1, 0, 30},
                {"first answer every time: not read", 1, 1000, EIO, 0},
                {"a later answer once: read again", 2, 1, 0, 30},
                {"a later answer every time: not read", 2, 1000, EIO, 0}};
    for (const auto& row : rows) {
        const FailingQueries relay(server.port, row.failAt, row.failures, 1024);
        ShareLocation where = *parseSharePath(server.url("guest", tree.name() + "/d"));
        where.port = ntohs(relay.at.sin_port);
        int error = 0;
        const smb::Directory dir = smb::Client::create(where, {}, error)->read(smbUrl(where));
        EXPECT_EQ(dir.error, row.error) << row.name;
        EXPECT_EQ(dir.entries.size(), row.entries) << row.name;
    }
}

}  // namespace
}  // namespace quillory::test
