#include "platform/safe_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#include "platform/stop_token.h"
#include "platform/write_all.h"
#include "support/temp_dir.h"

namespace quillory::test {
namespace {

long entriesIn(const std::string& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());
}

TEST(SafeFile, FailuresCarryTheErrorAndLeaveNothing) {
    const auto loop = [](const TempDir& d) {
        ::symlink("b", (d / "a").c_str());
        ::symlink("a", (d / "b").c_str());
        return d / "a";
    };
    const struct { const char* name; std::function<std::string(const TempDir&)> prepare; int error; } rows[] = {
        {"missing folder", [](const TempDir& d) { return d / "no/such/file"; }, ENOENT},
        {"a folder", [](const TempDir& d) { return d.folder("sub"); }, EISDIR}, {"link loop", loop, ELOOP},
    };
    for (const auto& row : rows) {
        const TempDir dir;
        const std::string path = row.prepare(dir);
        const long entries = entriesIn(dir.path());
        SafeFileWriter writer(path);
        EXPECT_FALSE(writer.append("text")) << row.name;
        EXPECT_FALSE(writer.commit()) << row.name;
        EXPECT_EQ(writer.status().code(), row.error) << row.name;
        EXPECT_EQ(writer.status().message(), std::strerror(row.error)) << row.name;
        EXPECT_EQ(entriesIn(dir.path()), entries) << row.name;
    }
}

TEST(SafeFile, LocalSocketIsConnectedTo) {
    const TempDir dir;
    const std::string path = dir / "socket";
    const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(server, 1), 0);
    std::string received;
    std::thread reader([&] {
        const int peer = ::accept(server, nullptr, nullptr);
        char buffer[4096];
        for (ssize_t n; (n = ::read(peer, buffer, sizeof buffer)) > 0;) received.append(buffer, static_cast<std::size_t>(n));
        ::close(peer);
    });
    const std::string text(200000, 's');
    {
        SafeFileWriter writer(path);
        EXPECT_TRUE(writer.append(text) && writer.commit()) << writer.status().message();
    }
    reader.join();
    ::close(server);
    EXPECT_EQ(received, text);
    struct stat st {};
    EXPECT_TRUE(::lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode));
}

// No signal interrupts this write: the request is only seen by the writer's
// own waits. Should it be missed, the pipe is drained so the test ends.
TEST(WriteAll, StopEndsAWriteBlockedOnAFullPipe) {
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    ::fcntl(fds[1], F_SETPIPE_SZ, 4096);
    ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
    StopToken stop;
    std::atomic<bool> done{false};
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        stop.request();
        for (int waited = 0; waited < 1000 && !done; ++waited) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        char buffer[65536];
        while (!done) (void)::read(fds[0], buffer, sizeof buffer);
    });
    EXPECT_EQ(writeAll(fds[1], std::string(1 << 20, 'p'), &stop).code(), ECANCELED);
    done = true;
    stopper.join();
    ::close(fds[0]);
    ::close(fds[1]);
}

}  // namespace
}  // namespace quillory::test
