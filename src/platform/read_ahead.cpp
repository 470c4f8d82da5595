#include "platform/read_ahead.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace quillory::local_folder {

namespace {

void readAhead(ReadAhead& a, int parentFd, LocalTimeCache& times, const StopToken* stop) {
    a.fd = ::openat(parentFd, a.name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    a.error = a.fd < 0 ? errno : 0;
    ::close(parentFd);
    if (a.fd >= 0) {
        a.id = idOf(a.fd);
        a.contents.read(a.fd, stop);
        a.contents.prepare();
        for (std::size_t i = 0; i < a.contents.entries.size(); ++i)
            if (a.contents.entries[i].kind == EntryKind::File) a.files.push_back(i);
    }
    a.named.store(true, std::memory_order_release);
    a.named.notify_all();
    if (a.fd >= 0) examineShare(a.contents, a.fd, a.files, a.attributes, a.next, times, a.path, stop, &a.cancelled);
}

}  // namespace

void ReadAheadSlot::start(std::unique_ptr<ReadAhead> a, int parentFd) {
    drop();
    ReadAhead* task = a.get();
    m_ahead = std::move(a);
    m_worker.start([this, task, parentFd] { readAhead(*task, parentFd, m_helperTimes, m_stop); });
}

void ReadAheadSlot::drop() {
    if (!m_ahead) return;
    m_ahead->cancelled.store(true, std::memory_order_relaxed);
    m_worker.wait();
    if (m_ahead->fd >= 0) ::close(m_ahead->fd);
    m_ahead.reset();
}

std::unique_ptr<ReadAhead> ReadAheadSlot::take(const void* parent, std::size_t index, LocalTimeCache& callerTimes) {
    if (!m_ahead || m_ahead->parent != parent || m_ahead->index != index) {
        drop();
        return nullptr;
    }
    ReadAhead& a = *m_ahead;
    a.named.wait(false, std::memory_order_acquire);
    if (a.fd < 0 && (a.error == EMFILE || a.error == ENFILE)) {
        drop();
        return nullptr;
    }
    if (a.fd >= 0) examineShare(a.contents, a.fd, a.files, a.attributes, a.next, callerTimes, a.path, m_stop);
    m_worker.wait();
    return std::move(m_ahead);
}

}  // namespace quillory::local_folder
