#include "net/reader_pool.h"

#include <poll.h>
#include <string.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iterator>

#include "net/reader_wire.h"
#include "platform/stop_token.h"

namespace quillory::smb {

namespace {

// A folder read slower than this means a link where round trips, not the
// server's work, set the pace: more readers then overlap them, one for each
// kReadPerReader the read took (a read is four round trips: open, two
// queries, close), so the readers keep up with the walk as latency grows.
// On loopback a read comes well inside kSlowRead.
constexpr auto kSlowRead = std::chrono::milliseconds(10);
constexpr auto kReadPerReader = std::chrono::microseconds(1500);
// Even a quick server does each folder's work in the process that serves its
// connection: a second reader keeps a second one busy (on 2 cores, 100,000
// files over loopback list in about 1.0 s with two readers, 1.5 s with one).
constexpr int kMinReaders = 2;

Directory unreadable(int error) {
    Directory out;
    out.error = error;
    return out;
}

std::size_t footprint(const Directory& dir) {
    std::size_t bytes = dir.entries.capacity() * sizeof(FolderEntry) + dir.facts.capacity() * sizeof(FileFacts) +
                        dir.attributes.capacity() * sizeof(std::int64_t);
    for (const FolderEntry& entry : dir.entries) bytes += entry.name.size();
    return bytes;
}

bool below(const std::string& subPath, const std::string& folder) {
    if (folder.empty()) return !subPath.empty();
    return subPath.size() > folder.size() && subPath.starts_with(folder) && subPath[folder.size()] == '/';
}

}  // namespace

ReaderPool::ReaderPool(std::string program, const ShareLocation& where, const SmbCredentials& credentials,
                       const StopToken* stop, int readers)
    : m_program(std::move(program)), m_root(where), m_login(wire::loginFrame({where, credentials})), m_stop(stop),
      m_wantedReaders(readers) {}

ReaderPool::~ReaderPool() {
    m_readers.clear();
    ::explicit_bzero(m_login.data(), m_login.size());
}

std::vector<pid_t> ReaderPool::readerIds() const {
    std::vector<pid_t> out;
    for (const Reader& r : m_readers) out.push_back(r.process->pid());
    return out;
}

bool ReaderPool::stopRequested() const { return m_stop && m_stop->requested(); }

ReaderPool::JobPtr ReaderPool::enqueue(const ShareLocation& where) {
    auto job = std::make_shared<Job>();
    job->where = where;
    m_bySubPath[where.subPath] = m_queue.insert(m_queue.begin(), job);
    return job;
}

Directory ReaderPool::take(const ShareLocation& where) {
    if (stopRequested()) fail(ECANCELED);
    if (m_failed != 0) return unreadable(m_failed);
    const auto known = m_bySubPath.find(where.subPath);
    const JobPtr job = known != m_bySubPath.end() ? *known->second : enqueue(where);
    m_wanted = job;
    // Answers that came in while the walk was busy elsewhere, and new work for
    // their readers, even when this folder was read long ago: otherwise the
    // readers idle for as long as the walk finds its folders read.
    if (job->state == Job::State::Done) {
        if (!pump(0)) {
            m_wanted.reset();
            return unreadable(m_failed);
        }
        dispatch();
    }
    while (job->state != Job::State::Done) {
        dispatch();
        if (job->state == Job::State::Done) break;
        if (m_readers.empty()) {
            job->result.error = m_spawnError != 0 ? m_spawnError : EIO;
            break;
        }
        if (!pump(kPollMilliseconds)) break;
    }
    m_wanted.reset();
    if (!job->dropped) {
        const auto at = m_bySubPath.find(job->where.subPath);
        if (job->state == Job::State::Done) m_buffered -= job->bytes;
        m_queue.erase(at->second);
        m_bySubPath.erase(at);
        job->dropped = true;
    }
    return std::move(job->result);
}

void ReaderPool::leave(const std::string& subPath) {
    for (auto it = m_queue.begin(); it != m_queue.end();) {
        Job& job = **it;
        if (!below(job.where.subPath, subPath)) {
            ++it;
            continue;
        }
        if (job.state == Job::State::Done) m_buffered -= job.bytes;
        job.dropped = true;
        m_bySubPath.erase(job.where.subPath);
        it = m_queue.erase(it);
    }
}

void ReaderPool::dispatch() {
    const std::size_t target = static_cast<std::size_t>(m_target);
    for (;;) {
        Reader* idle = nullptr;
        for (Reader& r : m_readers)
            if (!r.job && !idle) idle = &r;
        // The folder the walk waits for first, then the first waiting one in
        // walk order while the read-ahead budget lasts.
        JobPtr next;
        if (m_wanted && m_wanted->state == Job::State::Waiting) {
            next = m_wanted;
        } else if (m_buffered < kReadAheadBytes) {
            for (const JobPtr& job : m_queue)
                if (job->state == Job::State::Waiting) {
                    next = job;
                    break;
                }
        }
        if (!next) return;
        const bool fresh = !idle;
        if (fresh) {
            if (m_readers.size() >= target || !startReader()) return;
            idle = &m_readers.back();
        }
        if (send(*idle, next)) continue;
        std::erase_if(m_readers, [](const Reader& r) { return !r.process; });
        if (fresh) {
            // Not even a new reader takes requests: no point starting more.
            m_spawnError = EIO;
            return;
        }
    }
}

bool ReaderPool::startReader() {
    int error = 0;
    std::unique_ptr<ReaderProcess> process = m_program.empty() ? nullptr : ReaderProcess::spawn(m_program, error);
    if (!process) {
        m_spawnError = m_program.empty() ? ENOENT : error;
        return false;
    }
    if (process->send(m_login) != 0) return false;
    m_readers.push_back({std::move(process), {}, nullptr, {}});
    return true;
}

bool ReaderPool::send(Reader& reader, const JobPtr& job) {
    // A reader that died while idle has not seen the request: it is retired
    // and the folder stays waiting for another.
    if (reader.process->send(wire::requestFrame(smbUrl(job->where))) != 0) {
        reader.process.reset();
        return false;
    }
    reader.job = job;
    reader.sent = std::chrono::steady_clock::now();
    job->state = Job::State::Running;
    return true;
}

bool ReaderPool::pump(int timeoutMs) {
    std::vector<pollfd> watched;
    for (const Reader& r : m_readers) watched.push_back({r.process->socket(), r.job ? short(POLLIN) : short(0), 0});
    const int ready = ::poll(watched.data(), watched.size(), timeoutMs);
    if (stopRequested()) {
        fail(ECANCELED);
        return false;
    }
    if (ready <= 0) return true;
    for (std::size_t i = 0; i < watched.size(); ++i)
        if (watched[i].revents != 0) receive(m_readers[i]);
    std::erase_if(m_readers, [](const Reader& r) { return !r.process; });
    return true;
}

void ReaderPool::receive(Reader& reader) {
    char chunk[64 * 1024];
    const ssize_t got = ::recv(reader.process->socket(), chunk, sizeof chunk, MSG_DONTWAIT);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) return;
    bool alive = got > 0;
    if (alive) reader.buffer.append(chunk, static_cast<std::size_t>(got));
    std::string payload;
    while (alive && reader.job && wire::takeFrame(reader.buffer, payload)) {
        std::optional<Directory> dir = wire::parseDirectory(payload);
        if (!dir) {
            alive = false;
            break;
        }
        finish(reader, std::move(*dir));
    }
    if (alive) return;
    // Killed, crashed or talking nonsense: its folder cannot be read, and it
    // gets nothing more to do.
    if (reader.job) finish(reader, unreadable(EIO));
    reader.process.reset();
}

void ReaderPool::finish(Reader& reader, Directory result) {
    const JobPtr job = std::move(reader.job);
    const auto elapsed = std::chrono::steady_clock::now() - reader.sent;
    // A size given applies once the login is known good. Otherwise it is
    // judged by the second answer: the first includes the reader's start
    // and login.
    if (result.error == 0 && m_answers < 2) {
        ++m_answers;
        if (m_wantedReaders > 0)
            m_target = m_wantedReaders;
        else if (m_answers == 2) {
            const std::int64_t wanted = elapsed > kSlowRead ? elapsed / kReadPerReader : kMinReaders;
            m_target = static_cast<int>(std::clamp<std::int64_t>(wanted, kMinReaders, kMaxReaders));
        }
    }
    if (job->dropped) return;
    job->result = std::move(result);
    job->state = Job::State::Done;
    job->bytes = footprint(job->result);
    m_buffered += job->bytes;
    if (job->result.error == 0) readAheadBelow(job);
}

void ReaderPool::readAheadBelow(const JobPtr& job) {
    const auto at = m_bySubPath.find(job->where.subPath);
    if (at == m_bySubPath.end()) return;
    const auto before = std::next(at->second);
    for (const FolderEntry& entry : job->result.entries) {
        if (entry.kind != EntryKind::Folder) continue;
        ShareLocation child = job->where;
        if (!child.subPath.empty()) child.subPath += '/';
        child.subPath += entry.name;
        if (m_bySubPath.contains(child.subPath)) continue;
        auto created = std::make_shared<Job>();
        created->where = std::move(child);
        m_bySubPath[created->where.subPath] = m_queue.insert(before, created);
    }
}

void ReaderPool::fail(int error) {
    m_failed = error;
    m_readers.clear();
    for (const JobPtr& job : m_queue) {
        if (job->state == Job::State::Done) continue;
        job->result = unreadable(error);
        job->state = Job::State::Done;
    }
}

}  // namespace quillory::smb
