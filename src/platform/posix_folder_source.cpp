// Local folders through openat/getdents64/fstatat. Every folder is opened
// relative to its parent's descriptor, so paths longer than PATH_MAX still
// work and a folder renamed mid-walk cannot send us elsewhere.
//
// However deep the walk goes, only a bounded number of folder descriptors
// stay open (descriptor_budget.h); a folder that gave its descriptor up is
// reopened when it is needed again (by "..", its path, or step by step from
// an open ancestor) and accepted only when it is the same folder.
//
// The stats are spread over two threads. prefetch() shares a folder's files
// between them, and once it returns the helper reads ahead the folders the
// walk will open next (read_ahead.h: depth first from this folder's
// sub-folders, then its ancestors' later ones), names and stats, while the
// caller writes out the current one.
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/background_worker.h"
#include "platform/descriptor_budget.h"
#include "platform/file_times.h"
#include "platform/folder_contents.h"
#include "platform/folder_source.h"
#include "platform/pseudo_fs.h"
#include "platform/read_ahead.h"
#include "platform/stop_token.h"

namespace quillory {

namespace {

using local_folder::AheadFrame;
using local_folder::Contents;
using local_folder::DescriptorBudget;
using local_folder::DescriptorHolder;
using local_folder::examineShare;
using local_folder::idOf;
using local_folder::outOfDescriptors;
using local_folder::ReadAhead;
using local_folder::ReadAheadQueue;

// Below this many files a folder is examined on the caller's thread alone:
// handing work over costs more than it saves.
constexpr std::size_t kPrefetchMinimum = 64;
// How far up the walk looks for the folders it will open next.
constexpr int kLookAheadLevels = 4;
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// What one source shares with its folders: the helper thread, the stop token,
// the per-thread local-time caches, the descriptor budget and the folder
// read ahead. Used from the caller's thread, except what the helper's task
// touches (helperTimes and the folders being read ahead).
struct SourceState {
    std::unique_ptr<BackgroundWorker> worker;  // null on one core
    const StopToken* stop = nullptr;
    LocalTimeCache callerTimes;
    LocalTimeCache helperTimes;
    DescriptorBudget descriptors;
    std::unique_ptr<ReadAheadQueue> ahead;  // with the worker
    bool attributesByPath = local_folder::attributesByPath();

    bool stopRequested() const { return stop && stop->requested(); }
    void dropAhead() {
        if (ahead) ahead->drop();
    }
};

class PosixFolder final : public Folder, private DescriptorHolder {
public:
    // `fd` < 0 with `error` set: the folder could not be opened.
    PosixFolder(std::shared_ptr<SourceState> state, PosixFolder* parent, std::size_t index, std::string name, int fd,
                int error)
        : m_state(std::move(state)), m_parent(parent), m_index(index), m_name(std::move(name)) {
        m_depth = parent ? parent->m_depth + 1 : 0;
        m_pathLength = parent ? parent->m_pathLength + 1 + m_name.size() : m_name.size();
        m_contents.error = error;
        m_contents.attributesByPath = m_state->attributesByPath;
        m_token = local_folder::newFolderToken();
        if (fd >= 0) {
            m_id = idOf(fd);
            adopt(fd);
        }
    }

    // A folder the helper has read already.
    PosixFolder(std::shared_ptr<SourceState> state, PosixFolder* parent, std::size_t index, ReadAhead&& ahead)
        : PosixFolder(std::move(state), parent, index, std::move(ahead.name), -1, ahead.error) {
        m_token = ahead.token;
        if (ahead.fd < 0) return;
        m_id = ahead.id;
        m_contents = std::move(ahead.contents);
        m_read = true;
        adopt(ahead.fd);
        ahead.fd = -1;
    }

    ~PosixFolder() override {
        if (m_state->ahead && m_state->ahead->nextBelow(m_token)) m_state->dropAhead();
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
        return m_contents.readable;
    }
    int error() const override {
        readOnce();
        return m_contents.readable ? 0 : (m_contents.error != 0 ? m_contents.error : EIO);
    }
    const std::vector<FolderEntry>& entries() const override {
        readOnce();
        return m_contents.entries;
    }
    FolderId id() const override { return m_id; }
    std::string_view pseudoFileSystem() const override { return m_pseudo; }

    FileFacts facts(std::size_t i) override {
        examineHere(i, false);
        return m_contents.facts[i];
    }

    std::int64_t attributes(std::size_t i) override {
        examineHere(i, true);
        return m_contents.attributes[i];
    }

    std::unique_ptr<Folder> openChild(std::size_t i) override {
        if (m_state->ahead)
            if (auto ahead = m_state->ahead->take(m_token, i, m_state->callerTimes))
                return std::make_unique<PosixFolder>(m_state, this, i, std::move(*ahead));
        const std::string& name = m_contents.entries[i].name;
        int fd = -1;
        if (descriptor() >= 0) {
            fd = ::openat(m_fd, name.c_str(), kFolderFlags);
            if (fd < 0 && outOfDescriptors(errno)) {
                // Someone else holds the rest of the process's descriptors:
                // give up all of ours but this one and try once more.
                m_state->descriptors.trim(1, this);
                fd = ::openat(m_fd, name.c_str(), kFolderFlags);
            }
        }
        return std::make_unique<PosixFolder>(m_state, this, i, name, fd, fd < 0 ? errno : 0);
    }

    void prefetch(const std::vector<std::size_t>& wanted, bool attributes) override {
        if (!m_state->worker) return;
        // A folder read ahead has its facts already, and the helper is
        // reading on past it: it keeps going.
        const bool known = std::all_of(wanted.begin(), wanted.end(),
                                       [&](std::size_t i) { return m_contents.known(i, attributes); });
        if (!known) m_state->dropAhead();
        if (m_state->stopRequested()) return;
        if (!known && wanted.size() >= kPrefetchMinimum && descriptor() >= 0) {
            m_contents.prepare();
            const std::string& path = shortPath();
            std::atomic<std::size_t> next{0};
            m_state->worker->start([&] {
                examineShare(m_contents, m_fd, wanted, attributes, next, m_state->helperTimes, path, m_state->stop);
            });
            examineShare(m_contents, m_fd, wanted, attributes, next, m_state->callerTimes, path, m_state->stop);
            m_state->worker->wait();
        }
        startReadAhead(attributes);
    }

private:
    int depth() const override { return m_depth; }

    // Gives up the descriptor; the folder reopens itself when next needed.
    void closeDescriptor() override {
        if (m_fd < 0) return;
        ::close(m_fd);
        m_fd = -1;
        m_state->descriptors.release(this);
    }

    void adopt(int fd) {
        // A folder on its parent's device is on its parent's file system.
        const bool parentsDevice = m_parent && m_id.known && m_parent->m_id.known && m_parent->m_id.device == m_id.device;
        m_pseudo = parentsDevice ? m_parent->m_pseudo : pseudoFileSystemOf(fd);
        m_fd = fd;
        m_state->descriptors.hold(this);
    }

    // Unless the helper is reading ahead already, hands it the folders the
    // walk will open next: the sub-folders here, then the later ones of our
    // ancestors.
    void startReadAhead(bool attributes) {
        if (!m_state->ahead->idle()) return;
        std::deque<AheadFrame> frames;
        const PosixFolder* at = this;
        std::size_t from = 0;
        for (int level = 0; at && level < kLookAheadLevels && frames.size() < m_state->ahead->mostFrames(); ++level) {
            const auto& entries = at->m_contents.entries;
            AheadFrame frame(at->m_token, -1, at->shortPath(), at->m_pathLength);
            for (std::size_t i = from; i < entries.size(); ++i)
                if (entries[i].kind == EntryKind::Folder) frame.folders.emplace_back(i, entries[i].name);
            if (!frame.folders.empty()) {
                if (at->m_fd >= 0) frame.fd = ::fcntl(at->m_fd, F_DUPFD_CLOEXEC, 0);
                if (frame.fd < 0) break;
                frames.push_front(std::move(frame));
            }
            from = at->m_index + 1;
            at = at->m_parent;
        }
        if (!frames.empty()) m_state->ahead->start(std::move(frames), attributes, m_state->attributesByPath);
    }

    void examineHere(std::size_t i, bool withAttributes) {
        if (m_contents.known(i, withAttributes)) return;
        m_contents.prepare();
        if (descriptor() < 0) {
            m_contents.have[i] |= withAttributes ? (Contents::kHaveFacts | Contents::kHaveAttributes) : Contents::kHaveFacts;
            return;
        }
        m_contents.examine(m_fd, i, withAttributes, m_state->callerTimes, shortPath());
    }

    // The open descriptor, reopening the folder first when it was given up;
    // -1 (with the error kept) when it cannot be reopened.
    int descriptor() {
        if (m_fd >= 0 || !m_id.known) return m_fd;
        const int before = m_contents.error;
        int fd = reopen();
        if (fd < 0 && m_state->ahead && outOfDescriptors(m_contents.error)) {
            // The descriptors missing may be the ones the read-ahead holds.
            m_state->dropAhead();
            fd = reopen();
            if (fd >= 0) m_contents.error = before;
        }
        if (fd >= 0) {
            adopt(fd);
            m_state->descriptors.trim(DescriptorBudget::kLimit, this);
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
            at = top->m_fd >= 0 ? ::fcntl(top->m_fd, F_DUPFD_CLOEXEC, 0) : top->reopen();
            if (at < 0) err = top->m_fd >= 0 ? errno : top->m_contents.error;
        }
        for (auto step = chain.rbegin(); at >= 0 && step != chain.rend(); ++step) {
            const int fd = ::openat(at, (*step)->m_name.c_str(), kFolderFlags);
            if (fd < 0) err = errno;
            ::close(at);
            at = fd;
        }
        if (at >= 0) at = accept(at);
        if (at < 0) m_contents.error = err;
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

    // The path when it is short enough to use, else empty; built once.
    const std::string& shortPath() const {
        if (!m_shortPath) m_shortPath = m_pathLength < PATH_MAX ? path() : std::string();
        return *m_shortPath;
    }

    void readOnce() const {
        if (m_read) return;
        m_read = true;
        auto* self = const_cast<PosixFolder*>(this);
        const int fd = self->descriptor();
        if (fd >= 0) self->m_contents.read(fd, m_state->stop);
    }

    std::shared_ptr<SourceState> m_state;
    PosixFolder* m_parent;     // outlives us (see folder_source.h)
    std::size_t m_index;       // our entry in the parent
    std::uint64_t m_token;     // names us to the read-ahead
    std::string m_name;        // the name in the parent; the whole path for a top folder
    std::size_t m_pathLength;  // of the whole path, without building it
    int m_depth;
    int m_fd = -1;
    FolderId m_id;
    std::string_view m_pseudo;  // pseudoFileSystem()
    mutable bool m_read = false;
    mutable std::optional<std::string> m_shortPath;
    Contents m_contents;
};

class PosixFolderSource final : public FolderSource {
public:
    explicit PosixFolderSource(const StopToken* stop) : m_state(std::make_shared<SourceState>()) {
        m_state->stop = stop;
        if (std::thread::hardware_concurrency() > 1) {
            m_state->worker = std::make_unique<BackgroundWorker>();
            m_state->ahead = std::make_unique<ReadAheadQueue>(*m_state->worker, stop);
        }
    }

    std::unique_ptr<Folder> open(const std::string& path) override {
        m_state->dropAhead();
        // The listing treats an empty path as the separator alone: the root.
        const std::string real = path.empty() ? "/" : path;
        int fd = ::open(real.c_str(), kFolderFlags);
        if (fd < 0 && outOfDescriptors(errno)) {
            m_state->descriptors.trim(0, nullptr);
            fd = ::open(real.c_str(), kFolderFlags);
        }
        return std::make_unique<PosixFolder>(m_state, nullptr, 0, real, fd, fd < 0 ? errno : 0);
    }

private:
    std::shared_ptr<SourceState> m_state;
};

}  // namespace

std::unique_ptr<FolderSource> makeLocalFolderSource(const StopToken* stop) {
    return std::make_unique<PosixFolderSource>(stop);
}

}  // namespace quillory
