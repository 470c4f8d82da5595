#pragma once
// quillory-list as a child process, with its own settings store and a tree to list.
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

}  // namespace quillory::test
