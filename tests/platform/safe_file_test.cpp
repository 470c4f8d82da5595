#include "platform/safe_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

namespace quillory::test {
namespace {

long entriesIn(const std::string& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());
}

TEST(SafeFile, FailuresCarryTheErrorAndLeaveNothing) {
    const TempDir dir;
    dir.folder("sub");
    ::symlink("b", (dir / "a").c_str());
    ::symlink("a", (dir / "b").c_str());
    const long entries = entriesIn(dir.path());
    const struct { const char* name; int error; } rows[] = {{"no/such/file", ENOENT}, {"sub", EISDIR}, {"a", ELOOP}};
    for (const auto& row : rows) {
        SafeFileWriter writer(dir / row.name);
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

}  // namespace
}  // namespace quillory::test
