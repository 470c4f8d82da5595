// A share password must not reach a core file: the process is not dumpable
// while it may hold one.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/golden.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

namespace quillory::test {
namespace {

// Starts `command` in `folder` with core files allowed and its own store.
int startWithCores(const std::string& folder, const std::string& command) {
    return startProcess({"/bin/sh", "-c", "cd '" + folder + "' && ulimit -c unlimited && exec " + command},
                        {"QUILLORY_SETTINGS=" + folder + "/settings.sqlite"});
}

std::vector<std::string> coreFiles(const std::string& folder) {
    std::vector<std::string> found;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir))
            if (std::string(e->d_name).rfind("core", 0) == 0) found.push_back(folder + "/" + e->d_name);
        ::closedir(dir);
    }
    return found;
}

// A server that takes the connection and never answers: the walk stalls
// with the password in memory.
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
    bool accepted(int waitMs) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, waitMs) != 1) return false;
        peer = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
        return peer >= 0;
    }
};

TEST(ShareSecrets, AStalledWalkAbortedLeavesNoPasswordInACoreFile) {
    if (readFile("/proc/sys/kernel/core_pattern").rfind('|', 0) == 0)
        GTEST_SKIP() << "core files go to a handler here, not to the folder";
    const TempDir control;
    const int sleeper = startWithCores(control.path(), "sleep 30");
    ::usleep(200 * 1000);
    ::kill(sleeper, SIGABRT);
    waitProcess(sleeper);
    if (coreFiles(control.path()).empty()) GTEST_SKIP() << "core dumps are disabled here";

    const TempDir place;
    const std::string password = "canary-7f3a9c-password";
    writeFile(place / "auth", "username = tester\npassword = " + password + "\n");
    ::chmod((place / "auth").c_str(), 0600);
    SilentServer server;
    ASSERT_GT(server.port, 0);
    const int pid = startWithCores(place.path(), "'" + std::string(QUILLORY_LIST_EXE) +
                                                    "' --auth-file auth smb://127.0.0.1:" +
                                                    std::to_string(server.port) + "/share");
    const bool stalled = server.accepted(10000);
    ::usleep(100 * 1000);  // into the wait for the server's answer
    ::kill(pid, SIGABRT);
    waitProcess(pid);
    ASSERT_TRUE(stalled) << "quillory-list never reached the server";
    for (const std::string& core : coreFiles(place.path()))
        EXPECT_EQ(readFile(core).find(password), std::string::npos) << core;
}

// The first interrupt only raises the stop token, which a call waiting on a
// silent server may not look at; the second ends the program at once. An
// auth file that others may read is used, with a warning.
TEST(ShareSecrets, ASecondInterruptEndsAStalledShareWalk) {
    const TempDir place;
    writeFile(place / "auth", "username = tester\npassword = secret\n");
    ::chmod((place / "auth").c_str(), 0644);
    SilentServer server;
    ASSERT_GT(server.port, 0);
    int err[2];
    ASSERT_EQ(::pipe2(err, O_CLOEXEC), 0);
    const int pid = startProcess({QUILLORY_LIST_EXE, "--auth-file", place / "auth", "-o", place / "out.html",
                                  "smb://127.0.0.1:" + std::to_string(server.port) + "/share"},
                                 {"QUILLORY_SETTINGS=" + (place / "settings.sqlite")}, err[1]);
    ::close(err[1]);
    ASSERT_TRUE(server.accepted(10000)) << "quillory-list never reached the server";
    int status = 0;
    bool ended = false;
    for (int interrupt = 0; interrupt < 2 && !ended; ++interrupt) {
        ::kill(pid, SIGINT);
        // A bound on a hang, not a timing: a blocked call sees no stop token.
        for (int waited = 0; waited < 2000 && !ended; ++waited) {
            ended = ::waitpid(pid, &status, WNOHANG) == pid;
            if (!ended) ::usleep(1000);
        }
    }
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    EXPECT_TRUE(ended) << "still running after two interrupts";
    EXPECT_TRUE((WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) || (WIFEXITED(status) && WEXITSTATUS(status) == 130))
        << status;
    std::string shown;
    char buffer[4096];
    for (ssize_t n; (n = ::read(err[0], buffer, sizeof buffer)) > 0;) shown.append(buffer, static_cast<std::size_t>(n));
    ::close(err[0]);
    EXPECT_EQ(shown.rfind("quillory-list: warning: '" + (place / "auth") +
                              "' can be read by group or others (mode 0644); keep it private: chmod 600 '" +
                              (place / "auth") + "'\n",
                          0),
              0u)
        << shown;
    EXPECT_FALSE(std::filesystem::exists(place / "out.html"));
}

}  // namespace
}  // namespace quillory::test
