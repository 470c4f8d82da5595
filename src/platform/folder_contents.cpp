#include "platform/folder_contents.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "platform/file_attributes.h"

namespace quillory::local_folder {

namespace {

// Threads take this many entries at a time and look at the stop token
// between takes.
constexpr std::size_t kChunk = 128;

struct LinuxDirent64 {
    std::uint64_t d_ino;
    std::int64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[1];
};

}  // namespace

FolderId idOf(int fd) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return {};
    return {static_cast<std::uint64_t>(st.st_dev), st.st_ino, true};
}

bool attributesByPath() {
    const char* value = std::getenv("QUILLORY_ATTRIBUTES_BY_PATH");
    return value && *value && std::string_view(value) != "0";
}

void Contents::read(int fd, const StopToken* stop) {
    constexpr std::size_t kBufferSize = 32 * 1024;
    const std::unique_ptr<char[]> buffer(new char[kBufferSize]);  // left uninitialised: the kernel fills it
    int err = 0;
    for (;;) {
        const long got = ::syscall(SYS_getdents64, fd, buffer.get(), kBufferSize);
        if (got < 0) err = errno;
        if (got <= 0 || (stop && stop->requested())) break;
        for (long at = 0; at < got;) {
            const auto* d = reinterpret_cast<const LinuxDirent64*>(buffer.get() + at);
            at += d->d_reclen;
            add(fd, d->d_name, d->d_type);
        }
    }
    // A folder that fails part-way keeps what it had read; only a folder
    // that yields nothing at all counts as unreadable.
    if (err != 0) error = err;
    readable = err == 0 || !entries.empty();
}

void Contents::add(int fd, const char* n, unsigned char type) {
    if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) return;
    bool isFolder = type == DT_DIR;
    bool isLink = type == DT_LNK;
    if (type == DT_UNKNOWN || isLink) {
        struct stat st;
        if (type == DT_UNKNOWN && ::fstatat(fd, n, &st, AT_SYMLINK_NOFOLLOW) == 0) isLink = S_ISLNK(st.st_mode);
        // Links to folders are walked like folders.
        isFolder = ::fstatat(fd, n, &st, 0) == 0 && S_ISDIR(st.st_mode);
    }
    entries.push_back({n, isFolder ? EntryKind::Folder : EntryKind::File, 0});
    links.push_back(isLink);
}

void Contents::prepare() {
    if (!have.empty() || entries.empty()) return;
    have.assign(entries.size(), 0);
    facts.resize(entries.size());
    attributes.assign(entries.size(), -1);
}

void Contents::examine(int fd, std::size_t i, bool withAttributes, LocalTimeCache& times, const std::string& path) {
    const std::string& name = entries[i].name;
    struct stat st;
    bool followed = links[i];
    // Links are followed so a listed link shows its target; a broken one
    // falls back to the link itself.
    bool ok = ::fstatat(fd, name.c_str(), &st, followed ? 0 : AT_SYMLINK_NOFOLLOW) == 0;
    if (!ok && followed) {
        followed = false;
        ok = ::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    }
    if (ok) {
        facts[i] = {st.st_size, times.dateTime(st.st_mtim.tv_sec)};
        if (withAttributes) {
            // One pointer captured, so the std::function needs no allocation.
            const struct {
                const std::string& path;
                const std::string& name;
                int fd;
            } where{path, name, fd};
            auto through = [w = &where] {
                // Past PATH_MAX, the descriptor's /proc entry is short however deep the folder lies.
                if (!w->path.empty() && w->path.size() + w->name.size() + 2 < PATH_MAX) return w->path + "/" + w->name;
                return "/proc/self/fd/" + std::to_string(w->fd) + "/" + w->name;
            };
            attributes[i] = attributeWordAt(attributesByPath ? -1 : fd, name, through, st.st_mode,
                                            static_cast<std::uint64_t>(st.st_dev), followed || !S_ISLNK(st.st_mode));
        }
    }
    have[i] |= withAttributes ? (kHaveFacts | kHaveAttributes) : kHaveFacts;
}

void examineShare(Contents& contents, int fd, const std::vector<std::size_t>& wanted, bool withAttributes,
                  std::atomic<std::size_t>& next, LocalTimeCache& times, const std::string& path,
                  const StopToken* stop, const std::atomic<bool>* cancelled) {
    for (;;) {
        if ((stop && stop->requested()) || (cancelled && cancelled->load(std::memory_order_relaxed))) return;
        const std::size_t from = next.fetch_add(kChunk, std::memory_order_relaxed);
        if (from >= wanted.size()) return;
        const std::size_t to = std::min(from + kChunk, wanted.size());
        for (std::size_t k = from; k < to; ++k)
            if (!contents.known(wanted[k], withAttributes)) contents.examine(fd, wanted[k], withAttributes, times, path);
    }
}

}  // namespace quillory::local_folder
