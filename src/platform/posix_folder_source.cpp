// Local folders through openat/getdents64/fstatat. Every folder is opened
// relative to its parent's descriptor, so paths longer than PATH_MAX still
// work and a folder renamed mid-walk cannot send us elsewhere.
//
// However deep the walk goes, at most kDescriptorBudget folder descriptors
// stay open: past that the shallowest are closed, and a closed folder is
// reopened when it is needed again (by "..", its path, or step by step from
// an open ancestor) and accepted only when it is the same folder.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/background_worker.h"
#include "platform/file_attributes.h"
#include "platform/file_times.h"
#include "platform/folder_source.h"
#include "platform/stop_token.h"

namespace quillory {

namespace {

// Below this many files a folder is examined on the caller's thread alone:
// handing work over costs more than it saves.
constexpr std::size_t kPrefetchMinimum = 64;
// Both threads take this many entries at a time and look at the stop token
// between takes.
constexpr std::size_t kPrefetchChunk = 128;
constexpr std::size_t kDescriptorBudget = 24;
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

struct LinuxDirent64 {
    std::uint64_t d_ino;
    std::int64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[1];
};

FolderId idOf(int fd) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return {};
    return {static_cast<std::uint64_t>(st.st_dev), st.st_ino, true};
}

class PosixFolder;

// What one source shares with its folders: the helper thread, the stop token,
// the per-thread local-time caches and the list of folders holding a
// descriptor. Used from the caller's thread only, except the helper's cache.
struct SourceState {
    std::unique_ptr<BackgroundWorker> worker;  // null on one core
    const StopToken* stop = nullptr;
    LocalTimeCache callerTimes;
    LocalTimeCache helperTimes;
    std::vector<PosixFolder*> holding;

    bool stopRequested() const { return stop && stop->requested(); }
    void hold(PosixFolder* folder);
    void release(PosixFolder* folder) { std::erase(holding, folder); }
    // Closes the shallowest holders (never `keep`) until at most `limit` remain.
    void trim(std::size_t limit, const PosixFolder* keep);
};

class PosixFolder final : public Folder {
public:
    // `fd` < 0 with `error` set: the folder could not be opened.
    PosixFolder(std::shared_ptr<SourceState> state, PosixFolder* parent, std::string name, int fd, int error)
        : m_state(std::move(state)), m_parent(parent), m_name(std::move(name)), m_error(error) {
        m_depth = parent ? parent->m_depth + 1 : 0;
        m_pathLength = parent ? parent->m_pathLength + 1 + m_name.size() : m_name.size();
        if (fd >= 0) {
            m_id = idOf(fd);
            adopt(fd);
        }
    }

    ~PosixFolder() override {
        // The walk goes back to the parent next: if its descriptor was given
        // up, ".." from here is the cheapest way back to it.
        if (m_parent && m_parent->m_fd < 0 && m_fd >= 0 && m_parent->m_id.known) {
            const int up = ::openat(m_fd, "..", kFolderFlags);
            if (up >= 0 && idOf(up) == m_parent->m_id) {
                closeDescriptor();
                m_parent->adopt(up);
            } else if (up >= 0) {
                ::close(up);
            }
        }
        closeDescriptor();
    }

    PosixFolder(const PosixFolder&) = delete;
    PosixFolder& operator=(const PosixFolder&) = delete;

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
        if (m_have.empty() || !(m_have[i] & kHaveFacts)) examineHere(i, false);
        return m_facts[i];
    }

    std::int64_t attributes(std::size_t i) override {
        if (m_have.empty() || !(m_have[i] & kHaveAttributes)) examineHere(i, true);
        return m_attributes[i];
    }

    std::unique_ptr<Folder> openChild(std::size_t i) override {
        const std::string& name = m_entries[i].name;
        int fd = -1;
        if (descriptor() >= 0) {
            fd = ::openat(m_fd, name.c_str(), kFolderFlags);
            if (fd < 0 && (errno == EMFILE || errno == ENFILE)) {
                // Someone else holds the rest of the process's descriptors:
                // give up all of ours but this one and try once more.
                m_state->trim(1, this);
                fd = ::openat(m_fd, name.c_str(), kFolderFlags);
            }
        }
        return std::make_unique<PosixFolder>(m_state, this, name, fd, fd < 0 ? errno : 0);
    }

    void prefetch(const std::vector<std::size_t>& wanted, bool attributes) override {
        if (!m_state->worker || wanted.size() < kPrefetchMinimum || descriptor() < 0) return;
        prepareCache();
        // Both threads take chunks in turn, so a slow stretch of the folder
        // does not leave one of them idle. The slots they fill are disjoint;
        // wait() orders the helper's writes before our reads.
        std::atomic<std::size_t> next{0};
        auto share = [this, &wanted, &next, attributes](LocalTimeCache& times) {
            for (;;) {
                if (m_state->stopRequested()) return;
                const std::size_t from = next.fetch_add(kPrefetchChunk, std::memory_order_relaxed);
                if (from >= wanted.size()) return;
                const std::size_t to = std::min(from + kPrefetchChunk, wanted.size());
                for (std::size_t k = from; k < to; ++k) examine(wanted[k], attributes, times);
            }
        };
        m_state->worker->start([&] { share(m_state->helperTimes); });
        share(m_state->callerTimes);
        m_state->worker->wait();
    }

    int depth() const { return m_depth; }

    // Gives up the descriptor; the folder reopens itself when next needed.
    void closeDescriptor() {
        if (m_fd < 0) return;
        ::close(m_fd);
        m_fd = -1;
        m_state->release(this);
    }

private:
    enum : std::uint8_t { kHaveFacts = 1, kHaveAttributes = 2 };

    void adopt(int fd) {
        m_fd = fd;
        m_state->hold(this);
    }

    // The open descriptor, reopening the folder first when it was given up;
    // -1 (with m_error set) when it cannot be reopened.
    int descriptor() {
        if (m_fd >= 0 || !m_id.known) return m_fd;
        const int fd = reopen();
        if (fd >= 0) {
            adopt(fd);
            m_state->trim(kDescriptorBudget, this);
        }
        return m_fd;
    }

    // Opens this folder again without keeping anything else open.
    int reopen() {
        int err = ESTALE;
        auto accept = [&](int fd) {
            if (fd < 0) {
                err = errno;
                return -1;
            }
            if (idOf(fd) == m_id) return fd;
            ::close(fd);
            err = ESTALE;
            return -1;
        };
        if (m_pathLength < PATH_MAX) {
            const int fd = accept(::open(path().c_str(), kFolderFlags));
            if (fd >= 0) return fd;
        }
        // Step down from the nearest ancestor that has (or gets) a descriptor.
        std::vector<const PosixFolder*> chain{this};
        PosixFolder* top = m_parent;
        while (top && top->m_fd < 0 && top->m_pathLength >= PATH_MAX) {
            chain.push_back(top);
            top = top->m_parent;
        }
        int at = -1;
        if (top) {
            at = top->m_fd >= 0 ? ::dup(top->m_fd) : top->reopen();
            if (at < 0) err = top->m_fd >= 0 ? errno : top->m_error;
        }
        for (auto step = chain.rbegin(); at >= 0 && step != chain.rend(); ++step) {
            const int fd = ::openat(at, (*step)->m_name.c_str(), kFolderFlags);
            if (fd < 0) err = errno;
            ::close(at);
            at = fd;
        }
        if (at >= 0) at = accept(at);
        if (at < 0) m_error = err;
        return at;
    }

    std::string path() const {
        std::vector<const PosixFolder*> chain;
        for (const PosixFolder* f = this; f; f = f->m_parent) chain.push_back(f);
        std::string out;
        out.reserve(m_pathLength);
        for (auto f = chain.rbegin(); f != chain.rend(); ++f) {
            if (f != chain.rbegin() && !out.ends_with('/')) out.push_back('/');
            out += (*f)->m_name;
        }
        return out;
    }

    void prepareCache() {
        if (!m_have.empty()) return;
        const std::size_t n = m_entries.size();
        m_have.assign(n, 0);
        m_facts.resize(n);
        m_attributes.assign(n, -1);
    }

    void examineHere(std::size_t i, bool withAttributes) {
        prepareCache();
        if (descriptor() < 0) {
            m_have[i] |= withAttributes ? (kHaveFacts | kHaveAttributes) : kHaveFacts;
            return;
        }
        examine(i, withAttributes, m_state->callerTimes);
    }

    // One stat per entry gives size, time and mode; the attribute word adds the
    // extended attribute only when asked for. Needs the descriptor open.
    void examine(std::size_t i, bool withAttributes, LocalTimeCache& times) {
        const char* name = m_entries[i].name.c_str();
        struct stat st;
        bool followed = m_links[i];
        // Links are followed so a listed link shows its target; a broken one
        // falls back to the link itself.
        bool ok = ::fstatat(m_fd, name, &st, followed ? 0 : AT_SYMLINK_NOFOLLOW) == 0;
        if (!ok && followed) {
            followed = false;
            ok = ::fstatat(m_fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0;
        }
        if (ok) {
            m_facts[i] = {st.st_size, times.dateTime(st.st_mtim.tv_sec)};
            if (withAttributes)
                m_attributes[i] = attributeWordAt(m_fd, m_entries[i].name, [&] { return attributePath(i); }, st.st_mode,
                                                  followed || !S_ISLNK(st.st_mode));
        }
        m_have[i] |= withAttributes ? (kHaveFacts | kHaveAttributes) : kHaveFacts;
    }

    // The path to read an extended attribute through; past PATH_MAX, the
    // descriptor's /proc entry, which is short however deep the folder lies.
    std::string attributePath(std::size_t i) const {
        const std::string& name = m_entries[i].name;
        if (m_pathLength + name.size() + 2 < PATH_MAX) return path() + "/" + name;
        return "/proc/self/fd/" + std::to_string(m_fd) + "/" + name;
    }

    void readOnce() const {
        if (m_read) return;
        m_read = true;
        auto* self = const_cast<PosixFolder*>(this);
        const int fd = self->descriptor();
        if (fd < 0) return;
        // getdents64 straight from our descriptor: no second descriptor (as
        // fdopendir would want) and no copy through a DIR buffer.
        std::vector<char> buffer(32 * 1024);
        int err = 0;
        for (;;) {
            const long got = ::syscall(SYS_getdents64, fd, buffer.data(), buffer.size());
            if (got < 0) err = errno;
            if (got <= 0) break;
            for (long at = 0; at < got;) {
                const auto* d = reinterpret_cast<const LinuxDirent64*>(buffer.data() + at);
                at += d->d_reclen;
                addEntry(fd, d->d_name, d->d_type);
            }
        }
        // A folder that fails part-way keeps what it had read; only a folder
        // that yields nothing at all counts as unreadable.
        if (err != 0) m_error = err;
        m_readable = err == 0 || !m_entries.empty();
    }

    void addEntry(int fd, const char* n, unsigned char type) const {
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) return;
        bool isFolder = type == DT_DIR;
        bool isLink = type == DT_LNK;
        if (type == DT_UNKNOWN || isLink) {
            struct stat st;
            if (type == DT_UNKNOWN && ::fstatat(fd, n, &st, AT_SYMLINK_NOFOLLOW) == 0) isLink = S_ISLNK(st.st_mode);
            // Links to folders are walked like folders.
            isFolder = ::fstatat(fd, n, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        m_entries.push_back({n, isFolder ? EntryKind::Folder : EntryKind::File, 0});
        m_links.push_back(isLink);
    }

    std::shared_ptr<SourceState> m_state;
    PosixFolder* m_parent;     // outlives us (see folder_source.h)
    std::string m_name;        // the name in the parent; the whole path for a top folder
    std::size_t m_pathLength;  // of the whole path, without building it
    int m_depth;
    int m_fd = -1;
    FolderId m_id;
    mutable bool m_read = false;
    mutable bool m_readable = false;
    mutable int m_error = 0;
    mutable std::vector<FolderEntry> m_entries;
    mutable std::vector<bool> m_links;
    std::vector<std::uint8_t> m_have;
    std::vector<FileFacts> m_facts;
    std::vector<std::int64_t> m_attributes;
};

void SourceState::hold(PosixFolder* folder) {
    holding.push_back(folder);
    trim(kDescriptorBudget, folder);
}

void SourceState::trim(std::size_t limit, const PosixFolder* keep) {
    while (holding.size() > limit) {
        PosixFolder* shallowest = nullptr;
        for (PosixFolder* f : holding)
            if (f != keep && (!shallowest || f->depth() < shallowest->depth())) shallowest = f;
        if (!shallowest) return;
        shallowest->closeDescriptor();
    }
}

class PosixFolderSource final : public FolderSource {
public:
    explicit PosixFolderSource(const StopToken* stop) : m_state(std::make_shared<SourceState>()) {
        m_state->stop = stop;
        if (std::thread::hardware_concurrency() > 1) m_state->worker = std::make_unique<BackgroundWorker>();
    }

    std::unique_ptr<Folder> open(const std::string& path) override {
        // The listing treats an empty path as the separator alone: the root.
        const std::string real = path.empty() ? "/" : path;
        int fd = ::open(real.c_str(), kFolderFlags);
        if (fd < 0 && (errno == EMFILE || errno == ENFILE)) {
            m_state->trim(0, nullptr);
            fd = ::open(real.c_str(), kFolderFlags);
        }
        return std::make_unique<PosixFolder>(m_state, nullptr, real, fd, fd < 0 ? errno : 0);
    }

private:
    std::shared_ptr<SourceState> m_state;
};

}  // namespace

std::unique_ptr<FolderSource> makeLocalFolderSource(const StopToken* stop) {
    return std::make_unique<PosixFolderSource>(stop);
}

}  // namespace quillory
