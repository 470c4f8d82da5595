#include "support/temp_dir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "platform/pseudo_fs.h"

namespace quillory::test {

namespace fs = std::filesystem;

TempDir::TempDir() : TempDir(fs::temp_directory_path().string(), "quillory-test-") {}

// /dev/shm when it is a memory file system of its own; in a chroot that
// binds /dev alone it is a folder of devtmpfs, which the walk does not enter.
TempDir TempDir::inMemory() {
    const int fd = ::open("/dev/shm", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool usable = fd >= 0 && ::access("/dev/shm", W_OK) == 0 && pseudoFileSystemOf(fd).empty();
    if (fd >= 0) ::close(fd);
    return TempDir(usable ? "/dev/shm" : fs::temp_directory_path().string(), "quillory-test-");
}

TempDir::TempDir(const std::string& parent, std::string_view name)
    : m_path(parent + "/" + std::string(name) + "XXXXXX") {
    if (!::mkdtemp(m_path.data())) throw std::runtime_error("mkdtemp failed below " + parent);
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests take permissions away from folders; give them back (before the
    // iterator descends) so that removal works.
    ::chmod(m_path.c_str(), 0755);
    for (fs::recursive_directory_iterator it(m_path, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec)) ::chmod(it->path().c_str(), 0755);
    fs::remove_all(m_path, ec);
}

void TempDir::manyFiles(std::string_view relative, int count, std::string_view prefix) const {
    const int dir = ::open(folder(relative).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) throw std::runtime_error("cannot open " + std::string(relative));
    for (int i = 0; i < count; ++i) {
        const std::string name = std::string(prefix) + std::to_string(i);
        const int fd = ::openat(dir, name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0) ::close(fd);
    }
    ::close(dir);
}

std::string TempDir::file(std::string_view relative, std::int64_t size, long long mtime) const {
    const std::string p = *this / relative;
    fs::create_directories(fs::path(p).parent_path());
    const int fd = ::open(p.c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + p);
    const bool sized = size <= 0 || ::ftruncate(fd, size) == 0;
    ::close(fd);
    if (!sized) throw std::runtime_error("cannot size " + p);
    const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
    if (mtime >= 0) ::utimensat(AT_FDCWD, p.c_str(), times, 0);
    return p;
}

std::string TempDir::folder(std::string_view relative) const {
    const std::string p = *this / relative;
    fs::create_directories(p);
    return p;
}

}  // namespace quillory::test
