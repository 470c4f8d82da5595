#pragma once
// quillory-list as a child process, with its own settings store and a tree to list.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "support/golden.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

namespace quillory::test {

struct Cli {
    TempDir home;
    TempDir tree;
    std::string storePath = home / "settings.sqlite";
    std::vector<std::string> env{"QUILLORY_SETTINGS=" + storePath};

    // With `before` or `after`, through /bin/sh as `before exec quillory-list ARGS after`.
    static std::vector<std::string> argv(std::vector<std::string> args, const std::string& before = {},
                                         const std::string& after = {}) {
        if (before.empty() && after.empty()) args.insert(args.begin(), QUILLORY_LIST_EXE);
        else args.insert(args.begin(), {"/bin/sh", "-c", before + " exec \"$0\" \"$@\" " + after, QUILLORY_LIST_EXE});
        return args;
    }
    ProcessResult operator()(std::vector<std::string> args, const std::string& before = {},
                             const std::string& after = {}) const {
        return runProcess(argv(std::move(args), before, after), env);
    }
    int start(std::vector<std::string> args, const std::string& before = {}, const std::string& after = {},
              int errFd = -1) const {
        return startProcess(argv(std::move(args), before, after), env, errFd);
    }
    // An auth file in home holding `text`, readable by its owner only unless `mode` says otherwise.
    std::string authFile(const std::string& text, mode_t mode = 0600) const {
        writeFile(home / "auth", text);
        ::chmod((home / "auth").c_str(), mode);
        return home / "auth";
    }
};

// The wait status of `pid` once it ended, polled for at most `limitMs` (a hang guard, not a timing); -1 when
// it had not, after killing it if `kill`.
inline int waitEnded(int pid, int limitMs, bool kill = true) {
    int status = 0;
    for (int waited = 0; waited < limitMs; ++waited) {
        if (::waitpid(pid, &status, WNOHANG) == pid) return status;
        ::usleep(1000);
    }
    if (!kill) return -1;
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return -1;
}

// How many names in `folder` hold `part`: temporary files left behind.
inline int namesWith(const std::string& folder, std::string_view part) {
    int count = 0;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir)) count += std::string_view(e->d_name).find(part) != part.npos;
        ::closedir(dir);
    }
    return count;
}

// A pseudo-terminal: the test holds the master, a child gets the terminal.
struct Pty {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    std::string terminal = master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0 ? ::ptsname(master) : "";
    ~Pty() {
        if (master >= 0) ::close(master);
    }
    // Reads what the child wrote until `until` shows up or ten seconds pass.
    std::string readUntil(const std::string& until) const {
        std::string shown;
        char buffer[4096];
        for (int waited = 0; waited < 10000 && shown.find(until) == std::string::npos; waited += 10) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0) continue;
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) shown.append(buffer, static_cast<std::size_t>(n));
        }
        return shown;
    }
    bool type(const std::string& text) const {
        return ::write(master, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }
    // Runs `cli` with the terminal as standard input and error.
    int start(const Cli& cli, std::vector<std::string> args, const std::string& before = {}) const {
        return cli.start(std::move(args), before, "<" + terminal + " 2>" + terminal);
    }
};

}  // namespace quillory::test
