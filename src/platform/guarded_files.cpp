#include "platform/guarded_files.h"

#include <mutex>
#include <utility>
#include <vector>

namespace quillory {
namespace {

struct Guarded {
    std::string path;
    std::string what;
};

// By path, not by inode: the store may not exist yet when it is registered,
// and SQLite makes its -wal file anew.
struct Registry {
    std::mutex mutex;
    std::vector<Guarded> files;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

}  // namespace

void guardFromOutput(const std::string& path, const std::string& what) {
    if (path.empty()) return;
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    for (const Guarded& file : r.files)
        if (file.path == path) return;
    r.files.push_back({path, what});
}

std::string guardedFileAt(const struct stat& target) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    for (const Guarded& file : r.files) {
        struct stat st {};
        if (::stat(file.path.c_str(), &st) == 0 && st.st_dev == target.st_dev && st.st_ino == target.st_ino)
            return file.what;
    }
    return {};
}

}  // namespace quillory
