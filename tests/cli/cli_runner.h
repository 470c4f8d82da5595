#pragma once
// quillory-list as a child process, with its own settings store and a tree to list.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/run_process.h"
#include "support/temp_dir.h"

namespace quillory::test {

struct Cli {
    TempDir home;
    TempDir tree;
    std::string storePath = home / "settings.sqlite";
    std::vector<std::string> env{"QUILLORY_SETTINGS=" + storePath};

    ProcessResult operator()(std::vector<std::string> args) const {
        args.insert(args.begin(), QUILLORY_LIST_EXE);
        return runProcess(args, env);
    }
    // Standard output goes to `target` (such as /dev/full) instead of a pipe.
    ProcessResult into(const std::string& target, std::vector<std::string> args) const {
        args.insert(args.begin(), {"/bin/sh", "-c", "exec \"$0\" \"$@\" >" + target, QUILLORY_LIST_EXE});
        return runProcess(args, env);
    }
};

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
};

}  // namespace quillory::test
