#include "platform/process_setup.h"

#include <malloc.h>
#include <sys/resource.h>

#include <csignal>

namespace quillory {

void prepareProcess() {
    // Folder texts of a few megabytes come and go all through a walk; keeping
    // freed memory instead of handing it back each time saves tens of
    // thousands of page faults on a big tree. Peak use stays that of the
    // largest folder.
    ::mallopt(M_MMAP_THRESHOLD, 64 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 256 << 20);
    // One arena for every thread: the walk's helper thread allocates the
    // folder it reads ahead and the caller frees it, and a second arena would
    // keep its own high-water mark on top of the caller's.
    ::mallopt(M_ARENA_MAX, 1);
    // The walk keeps a bounded handful of folder descriptors however deep it
    // goes, but its read-ahead, the store, the output and (in the window) the
    // web engine open their own beside them: headroom, not a depth limit.
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace quillory
