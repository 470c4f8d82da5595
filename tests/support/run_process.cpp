#include "support/run_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

extern char** environ;

namespace quillory::test {

namespace {

std::vector<std::string> environment(const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const auto overrides = [e](const std::string& x) { return std::strncmp(*e, x.c_str(), x.find('=') + 1) == 0; };
        if (std::none_of(extra.begin(), extra.end(), overrides)) env.emplace_back(*e);
    }
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> p;
    for (auto& s : strings) p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

int spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv, int outFd, int errFd) {
    std::vector<std::string> args = argv;
    std::vector<std::string> env = environment(extraEnv);
    auto argp = pointers(args);
    auto envp = pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_adddup2(&actions, errFd, 2);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argp.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

}  // namespace

int waitProcess(int pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

ProcessResult runProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv) {
    ProcessResult result;
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return result;
    const int pid = spawn(argv, extraEnv, out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* into[2] = {&result.out, &result.err};
    int open = 2;
    char buffer[65536];
    while (open > 0 && ::poll(fds, 2, -1) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                into[i]->append(buffer, n);
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    if (pid > 0) result.status = waitProcess(pid);
    return result;
}

int startProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv, int errFd) {
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const int pid = spawn(argv, extraEnv, null, errFd >= 0 ? errFd : null);
    ::close(null);
    return pid;
}

}  // namespace quillory::test
