// Local folders through openat/readdir/fstatat. Every folder is opened relative
// to its parent's descriptor, so paths longer than PATH_MAX still work and a
// folder renamed mid-walk cannot send us elsewhere.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "platform/file_attributes.h"
#include "platform/folder_source.h"
#include "platform/regional.h"

namespace quillory {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor& operator=(Descriptor&&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

class PosixFolder final : public Folder {
public:
    explicit PosixFolder(int fd) : m_fd(fd) {
        struct stat self;
        if (m_fd.get() >= 0 && ::fstat(m_fd.get(), &self) == 0)
            m_id = {static_cast<std::uint64_t>(self.st_dev), self.st_ino, true};
    }

    // Entries are read on first use: a folder opened only to be found too deep
    // (or a loop) costs no read.
    bool readable() const override {
        readOnce();
        return m_readable;
    }
    const std::vector<FolderEntry>& entries() const override {
        readOnce();
        return m_entries;
    }
    FolderId id() const override { return m_id; }

    FileFacts facts(std::size_t i) override {
        FileFacts facts;
        struct stat st;
        const char* name = m_entries[i].name.c_str();
        // Links are followed so a listed link shows its target; a broken one
        // falls back to the link itself.
        if (::fstatat(m_fd.get(), name, &st, m_links[i] ? 0 : AT_SYMLINK_NOFOLLOW) != 0 &&
            (!m_links[i] || ::fstatat(m_fd.get(), name, &st, AT_SYMLINK_NOFOLLOW) != 0))
            return facts;
        facts.size = st.st_size;
        facts.modified = dateTimeFromTime(st.st_mtim.tv_sec);
        return facts;
    }

    std::int64_t attributes(std::size_t i) override {
        // Through the descriptor's /proc entry: short, and valid however long the real path is.
        return readAttributeWord("/proc/self/fd/" + std::to_string(m_fd.get()) + "/" + m_entries[i].name);
    }

    std::unique_ptr<Folder> openChild(std::size_t i) override {
        const int fd = ::openat(m_fd.get(), m_entries[i].name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        return std::make_unique<PosixFolder>(fd);
    }

private:
    void readOnce() const {
        if (m_read) return;
        m_read = true;
        if (m_fd.get() < 0) return;
        // fdopendir takes the descriptor over; keep our own for fstatat/openat.
        const int dupFd = ::fcntl(m_fd.get(), F_DUPFD_CLOEXEC, 0);
        if (dupFd < 0) return;
        DIR* dir = ::fdopendir(dupFd);
        if (!dir) {
            ::close(dupFd);
            return;
        }
        errno = 0;
        while (const dirent* d = ::readdir(dir)) {
            const char* n = d->d_name;
            if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
            bool isFolder = d->d_type == DT_DIR;
            bool isLink = d->d_type == DT_LNK;
            if (d->d_type == DT_UNKNOWN || isLink) {
                struct stat st;
                if (d->d_type == DT_UNKNOWN && ::fstatat(m_fd.get(), n, &st, AT_SYMLINK_NOFOLLOW) == 0)
                    isLink = S_ISLNK(st.st_mode);
                // Links to folders are walked like folders.
                isFolder = ::fstatat(m_fd.get(), n, &st, 0) == 0 && S_ISDIR(st.st_mode);
            }
            m_entries.push_back({n, isFolder ? EntryKind::Folder : EntryKind::File, 0});
            m_links.push_back(isLink);
            errno = 0;
        }
        // A folder that fails part-way keeps what it had read; only a folder
        // that yields nothing at all counts as unreadable.
        m_readable = errno == 0 || !m_entries.empty();
        ::closedir(dir);
    }

    Descriptor m_fd;
    FolderId m_id;
    mutable bool m_read = false;
    mutable bool m_readable = false;
    mutable std::vector<FolderEntry> m_entries;
    mutable std::vector<bool> m_links;
};

class PosixFolderSource final : public FolderSource {
public:
    std::unique_ptr<Folder> open(const std::string& path) override {
        // The listing treats an empty path as the separator alone: the root.
        const int fd = ::open(path.empty() ? "/" : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        return std::make_unique<PosixFolder>(fd);
    }
};

}  // namespace

std::unique_ptr<FolderSource> makeLocalFolderSource() { return std::make_unique<PosixFolderSource>(); }

}  // namespace quillory
