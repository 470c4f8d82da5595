#include "platform/read_ahead.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

#include "platform/descriptor_budget.h"

namespace quillory::local_folder {

namespace {

// How much may wait read ahead: a few dozen folders, or fewer when they are
// large (memory and descriptors stay bounded). With room for fewer, the
// helper idles while the caller writes a large folder and the caller then
// stats much of the next ones itself.
constexpr std::size_t kMostFolders = 32;
constexpr std::size_t kMostEntries = 32768;
// Folders whose sub-folders are still to come, each with a descriptor; past
// this the outermost is forgotten and the read-ahead ends before reaching it.
constexpr std::size_t kMostFrames = 4;
// Below this many descriptors a process may hold, the read-ahead holds no
// more than one folder and one frame: the rest of the process (the type
// database, the store, the log) must still find descriptors free.
constexpr rlim_t kRoomyDescriptors = 256;

bool roomyDescriptors() {
    struct rlimit limit;
    return ::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= kRoomyDescriptors;
}

}  // namespace

std::uint64_t newFolderToken() {
    static std::atomic<std::uint64_t> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

AheadFrame::~AheadFrame() {
    if (fd >= 0) ::close(fd);
}

AheadFrame::AheadFrame(AheadFrame&& other) noexcept
    : token(other.token), fd(std::exchange(other.fd, -1)), path(std::move(other.path)),
      pathLength(other.pathLength), folders(std::move(other.folders)), next(other.next) {}

ReadAheadQueue::ReadAheadQueue(BackgroundWorker& worker, const StopToken* stop)
    : m_worker(worker), m_stop(stop), m_mostFolders(roomyDescriptors() ? kMostFolders : 1),
      m_mostFrames(roomyDescriptors() ? kMostFrames : 1) {}

bool ReadAheadQueue::idle() {
    std::lock_guard lock(m_mutex);
    return !m_running && m_waiting.empty();
}

void ReadAheadQueue::start(std::deque<AheadFrame> frames, bool attributes, bool attributesByPath) {
    m_worker.wait();  // the end of the last run
    m_frames = std::move(frames);
    m_attributes = attributes;
    m_attributesByPath = attributesByPath;
    {
        std::lock_guard lock(m_mutex);
        m_running = true;
    }
    m_worker.start([this] { run(); });
}

bool ReadAheadQueue::nextBelow(std::uint64_t parent) {
    std::lock_guard lock(m_mutex);
    return !m_waiting.empty() && m_waiting.front()->parent == parent;
}

void ReadAheadQueue::drop() {
    {
        std::lock_guard lock(m_mutex);
        m_cancel = true;
        for (const auto& a : m_waiting) a->cancelled.store(true, std::memory_order_relaxed);
    }
    m_changed.notify_all();
    m_worker.wait();
    std::lock_guard lock(m_mutex);
    for (const auto& a : m_waiting)
        if (a->fd >= 0) ::close(a->fd);
    m_waiting.clear();
    m_waitingEntries = 0;
    m_cancel = false;
}

std::unique_ptr<ReadAhead> ReadAheadQueue::take(std::uint64_t parent, std::size_t index, LocalTimeCache& callerTimes) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_waiting.empty() || !m_running; });
    if (m_waiting.empty() || m_waiting.front()->parent != parent || m_waiting.front()->index != index) {
        lock.unlock();
        drop();
        return nullptr;
    }
    // Only this thread removes folders, so the front stays while unlocked.
    ReadAhead& a = *m_waiting.front();
    lock.unlock();
    a.named.wait(false, std::memory_order_acquire);
    if (a.fd < 0 && outOfDescriptors(a.error)) {
        drop();
        return nullptr;
    }
    if (a.fd >= 0) examineShare(a.contents, a.fd, a.files, a.attributes, a.next, callerTimes, a.path, m_stop);
    lock.lock();
    m_changed.wait(lock, [&a] { return a.released; });
    std::unique_ptr<ReadAhead> taken = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_waitingEntries -= taken->contents.entries.size();
    lock.unlock();
    m_changed.notify_all();
    return taken;
}

void ReadAheadQueue::run() {
    while (readNext()) {
    }
    m_frames.clear();
    {
        std::lock_guard lock(m_mutex);
        m_running = false;
    }
    m_changed.notify_all();
}

// Reads the next folder in the walk's order; false when the run is over.
bool ReadAheadQueue::readNext() {
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] {
            return m_cancel || (m_waiting.size() < m_mostFolders && m_waitingEntries < kMostEntries);
        });
        if (m_cancel) return false;
    }
    if (m_stop && m_stop->requested()) return false;
    while (!m_frames.empty() && m_frames.back().next == m_frames.back().folders.size()) m_frames.pop_back();
    if (m_frames.empty()) return false;

    AheadFrame& frame = m_frames.back();
    auto owned = std::make_unique<ReadAhead>();
    ReadAhead& a = *owned;
    a.parent = frame.token;
    a.index = frame.folders[frame.next].first;
    a.name = frame.folders[frame.next].second;
    ++frame.next;
    const std::size_t pathLength = frame.pathLength + 1 + a.name.size();
    if (!frame.path.empty() && pathLength < PATH_MAX) a.path = frame.path + "/" + a.name;
    a.attributes = m_attributes;
    a.contents.attributesByPath = m_attributesByPath;
    {
        std::lock_guard lock(m_mutex);
        if (m_cancel) return false;
        m_waiting.push_back(std::move(owned));
    }
    m_changed.notify_all();

    a.fd = ::openat(frame.fd, a.name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    a.error = a.fd < 0 ? errno : 0;
    // Its last sub-folder taken, a folder is done with: the walk goes on above it.
    if (frame.next == frame.folders.size()) m_frames.pop_back();
    bool more = !outOfDescriptors(a.error);
    if (a.fd >= 0) {
        a.id = idOf(a.fd);
        a.contents.read(a.fd, m_stop);
        a.contents.prepare();
        AheadFrame below(a.token, -1, a.path, pathLength);
        for (std::size_t i = 0; i < a.contents.entries.size(); ++i) {
            if (a.contents.entries[i].kind == EntryKind::File)
                a.files.push_back(i);
            else
                below.folders.emplace_back(i, a.contents.entries[i].name);
        }
        if (!below.folders.empty()) {
            if (m_frames.size() >= m_mostFrames) m_frames.pop_front();
            below.fd = ::fcntl(a.fd, F_DUPFD_CLOEXEC, 0);
            more = below.fd >= 0;
            if (more) m_frames.push_back(std::move(below));
        }
    }
    {
        std::lock_guard lock(m_mutex);
        m_waitingEntries += a.contents.entries.size();
    }
    a.named.store(true, std::memory_order_release);
    a.named.notify_all();
    if (a.fd >= 0) examineShare(a.contents, a.fd, a.files, a.attributes, a.next, m_helperTimes, a.path, m_stop, &a.cancelled);
    {
        // Under the lock: once the caller sees it, the folder may be gone.
        std::lock_guard lock(m_mutex);
        a.released = true;
    }
    m_changed.notify_all();
    return more;
}

}  // namespace quillory::local_folder
