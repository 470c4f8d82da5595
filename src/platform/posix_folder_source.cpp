// Local folders through openat/readdir/fstatat. Every folder is opened relative
// to its parent's descriptor, so paths longer than PATH_MAX still work and a
// folder renamed mid-walk cannot send us elsewhere.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "platform/background_worker.h"
#include "platform/file_attributes.h"
#include "platform/folder_source.h"
#include "platform/regional.h"

namespace quillory {

namespace {

// Below this many files a folder is examined on the caller's thread alone:
// handing work over costs more than it saves.
constexpr std::size_t kPrefetchMinimum = 64;

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

class PosixFolder final : public Folder {
public:
    // `worker` may be null (no second core).
    PosixFolder(int fd, std::string path, BackgroundWorker* worker)
        : m_fd(fd), m_path(std::move(path)), m_worker(worker) {
        if (m_fd.get() < 0) m_error = errno;
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
    int error() const override {
        readOnce();
        return m_readable ? 0 : (m_error != 0 ? m_error : EIO);
    }
    const std::vector<FolderEntry>& entries() const override {
        readOnce();
        return m_entries;
    }
    FolderId id() const override { return m_id; }

    FileFacts facts(std::size_t i) override {
        if (m_state.empty() || !(m_state[i] & kHaveFacts)) examine(i, false);
        return m_facts[i];
    }

    std::int64_t attributes(std::size_t i) override {
        if (m_state.empty() || !(m_state[i] & kHaveAttributes)) examine(i, true);
        return m_attributes[i];
    }

    std::unique_ptr<Folder> openChild(std::size_t i) override {
        const std::string& name = m_entries[i].name;
        const int fd = ::openat(m_fd.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        return std::make_unique<PosixFolder>(fd, m_path + (m_path.ends_with('/') ? "" : "/") + name, m_worker);
    }

    void prefetch(const std::vector<std::size_t>& wanted, bool attributes) override {
        if (!m_worker || wanted.size() < kPrefetchMinimum) return;
        prepareCache();
        // The two halves touch disjoint slots; wait() orders the helper's
        // writes before our reads.
        const std::size_t half = wanted.size() / 2;
        m_worker->start([this, &wanted, half, attributes] {
            for (std::size_t k = half; k < wanted.size(); ++k) examine(wanted[k], attributes);
        });
        for (std::size_t k = 0; k < half; ++k) examine(wanted[k], attributes);
        m_worker->wait();
    }

private:
    enum : std::uint8_t { kHaveFacts = 1, kHaveAttributes = 2 };

    void prepareCache() {
        if (!m_state.empty()) return;
        const std::size_t n = m_entries.size();
        m_state.assign(n, 0);
        m_facts.resize(n);
        m_attributes.assign(n, -1);
    }

    // One stat per entry gives size, time and mode; the attribute word adds the
    // extended attribute only when asked for.
    void examine(std::size_t i, bool withAttributes) {
        prepareCache();
        const char* name = m_entries[i].name.c_str();
        struct stat st;
        bool followed = m_links[i];
        // Links are followed so a listed link shows its target; a broken one
        // falls back to the link itself.
        bool ok = ::fstatat(m_fd.get(), name, &st, followed ? 0 : AT_SYMLINK_NOFOLLOW) == 0;
        if (!ok && followed) {
            followed = false;
            ok = ::fstatat(m_fd.get(), name, &st, AT_SYMLINK_NOFOLLOW) == 0;
        }
        if (ok) {
            m_facts[i] = {st.st_size, dateTimeFromTime(st.st_mtim.tv_sec)};
            if (withAttributes)
                m_attributes[i] = attributeWordAt(m_fd.get(), m_entries[i].name, [&] { return attributePath(i); }, st.st_mode,
                                                  followed || !S_ISLNK(st.st_mode));
        }
        m_state[i] |= withAttributes ? (kHaveFacts | kHaveAttributes) : kHaveFacts;
    }

    // The path to read an extended attribute through; past PATH_MAX, the
    // descriptor's /proc entry, which is short however deep the folder lies.
    std::string attributePath(std::size_t i) const {
        const std::string& name = m_entries[i].name;
        if (m_path.size() + name.size() + 2 < PATH_MAX) return m_path + "/" + name;
        return "/proc/self/fd/" + std::to_string(m_fd.get()) + "/" + name;
    }

    void readOnce() const {
        if (m_read) return;
        m_read = true;
        if (m_fd.get() < 0) return;
        // fdopendir takes the descriptor over; keep our own for fstatat/openat.
        const int dupFd = ::fcntl(m_fd.get(), F_DUPFD_CLOEXEC, 0);
        if (dupFd < 0) {
            m_error = errno;
            return;
        }
        DIR* dir = ::fdopendir(dupFd);
        if (!dir) {
            m_error = errno;
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
        if (errno != 0) m_error = errno;
        m_readable = errno == 0 || !m_entries.empty();
        ::closedir(dir);
    }

    Descriptor m_fd;
    std::string m_path;
    BackgroundWorker* m_worker;
    FolderId m_id;
    mutable bool m_read = false;
    mutable bool m_readable = false;
    mutable int m_error = 0;
    mutable std::vector<FolderEntry> m_entries;
    mutable std::vector<bool> m_links;
    std::vector<std::uint8_t> m_state;
    std::vector<FileFacts> m_facts;
    std::vector<std::int64_t> m_attributes;
};

class PosixFolderSource final : public FolderSource {
public:
    PosixFolderSource() {
        if (std::thread::hardware_concurrency() > 1) m_worker = std::make_unique<BackgroundWorker>();
    }
    std::unique_ptr<Folder> open(const std::string& path) override {
        // The listing treats an empty path as the separator alone: the root.
        const std::string real = path.empty() ? "/" : path;
        const int fd = ::open(real.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        return std::make_unique<PosixFolder>(fd, real, m_worker.get());
    }

private:
    std::unique_ptr<BackgroundWorker> m_worker;
};

}  // namespace

std::unique_ptr<FolderSource> makeLocalFolderSource(const StopToken* stop) {
    (void)stop;
    return std::make_unique<PosixFolderSource>();
}

}  // namespace quillory
