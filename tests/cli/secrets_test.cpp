// A share password must not reach a core file: the process is not dumpable while it may hold one.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <filesystem>

#include "cli/cli_runner.h"

namespace quillory::test {
namespace {

// A server that takes the connection and never answers: the walk stalls with the password in memory.
struct SilentServer {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int port = 0;
    int peer = -1;
    SilentServer() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(fd, 4) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port = ntohs(address.sin_port);
    }
    ~SilentServer() {
        if (peer >= 0) ::close(peer);
        ::close(fd);
    }
    std::string url() const { return "smb://127.0.0.1:" + std::to_string(port) + "/share"; }
    // Waits up to ten seconds for the program to connect.
    bool accepted() {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 10000) != 1) return false;
        peer = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
        return peer >= 0;
    }
};

// Core files are allowed and land in `folder`.
std::string withCoresIn(const std::string& folder) { return "cd '" + folder + "' && ulimit -c unlimited &&"; }

TEST(ShareSecrets, AStalledWalkAbortedLeavesNoPasswordInACoreFile) {
    if (readFile("/proc/sys/kernel/core_pattern").rfind('|', 0) == 0)
        GTEST_SKIP() << "core files go to a handler here, not to the folder";
    const Cli cli;
    const int sleeper = startProcess({"/bin/sh", "-c", withCoresIn(cli.tree.path()) + " exec sleep 30"});
    ::usleep(200 * 1000);
    ::kill(sleeper, SIGABRT);
    waitProcess(sleeper);
    if (namesWith(cli.tree.path(), "core") == 0) GTEST_SKIP() << "core dumps are disabled here";

    const std::string password = "canary-7f3a9c-password";
    SilentServer server;
    ASSERT_GT(server.port, 0);
    const std::string auth = cli.authFile("username = tester\npassword = " + password + "\n");
    const int pid = cli.start({"--auth-file", auth, server.url()}, withCoresIn(cli.home.path()));
    const bool stalled = server.accepted();
    ::usleep(100 * 1000);  // into the wait for the server's answer
    ::kill(pid, SIGABRT);
    waitProcess(pid);
    ASSERT_TRUE(stalled) << "quillory-list never reached the server";
    for (const auto& e : std::filesystem::directory_iterator(cli.home.path())) {
        const bool core = e.path().filename().string().rfind("core", 0) == 0;
        EXPECT_FALSE(core && readFile(e.path()).find(password) != std::string::npos) << e.path();
    }
}

// The first interrupt only raises the stop token, which a call waiting on a silent server may not see; the
// second ends the program. An auth file that others may read is used, with a warning.
TEST(ShareSecrets, ASecondInterruptEndsAStalledShareWalk) {
    const Cli cli;
    const std::string auth = cli.authFile("username = tester\npassword = secret\n", 0644);
    SilentServer server;
    ASSERT_GT(server.port, 0);
    const int err = ::open((cli.home / "err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const int pid = cli.start({"--auth-file", auth, "-o", cli.home / "out.html", server.url()}, {}, {}, err);
    ::close(err);
    ASSERT_TRUE(server.accepted()) << "quillory-list never reached the server";
    // The first interrupt may end the walk; the second must. Hang guards, not timings.
    ::kill(pid, SIGINT);
    int status = waitEnded(pid, 2000, false);
    if (status == -1) {
        ::kill(pid, SIGINT);
        status = waitEnded(pid, 30000);
    }
    EXPECT_TRUE((WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) || (WIFEXITED(status) && WEXITSTATUS(status) == 130))
        << status;
    const std::string warning = "quillory-list: warning: '" + auth + "' can be read by group or others (mode 0644); "
                                "keep it private: chmod 600 '" + auth + "'\n";
    EXPECT_TRUE(readFile(cli.home / "err").starts_with(warning)) << readFile(cli.home / "err");
    EXPECT_FALSE(std::filesystem::exists(cli.home / "out.html"));
}

}  // namespace
}  // namespace quillory::test
