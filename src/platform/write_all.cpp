#include "platform/write_all.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>

#include "platform/stop_token.h"

namespace quillory {
namespace {

// Longest wait before a stop request that arrived without interrupting
// anything is noticed.
constexpr int kPollSliceMs = 100;

// 0 once `fd` has room (or an error the next write will report), ECANCELED
// when a stop was requested while waiting.
int waitForRoom(int fd, const StopToken& stop) {
    for (;;) {
        pollfd p{fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, kPollSliceMs);
        if (ready > 0) return 0;
        if (ready < 0 && errno != EINTR) return errno;
        if (stop.requested()) return ECANCELED;
    }
}

// Writes to a pipe or socket without ever blocking in write(), since a stop
// request that lands just before a blocking write() would leave it blocked
// until the reader reads. A socket takes MSG_DONTWAIT per call. A pipe gets
// a non-blocking descriptor of its own on the same pipe, so the flags of the
// shared one (standard output, say) stay as they are; where that cannot be
// opened, each write is kept to PIPE_BUF, which fits once poll() reports room.
class StreamWriter {
public:
    StreamWriter(int fd, bool socket) : m_fd(fd), m_socket(socket) {
        if (!socket)
            m_own = ::open(("/proc/self/fd/" + std::to_string(fd)).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    }
    ~StreamWriter() {
        if (m_own >= 0) ::close(m_own);
    }
    StreamWriter(const StreamWriter&) = delete;
    StreamWriter& operator=(const StreamWriter&) = delete;

    ssize_t writeSome(std::string_view data) const {
        if (m_socket) return ::send(m_fd, data.data(), data.size(), MSG_DONTWAIT);
        if (m_own >= 0) return ::write(m_own, data.data(), data.size());
        return ::write(m_fd, data.data(), std::min<std::size_t>(data.size(), PIPE_BUF));
    }

private:
    int m_fd;
    bool m_socket;
    int m_own = -1;
};

int writeStream(int fd, bool socket, std::string_view data, const StopToken& stop) {
    const StreamWriter writer(fd, socket);
    while (!data.empty()) {
        if (const int error = waitForRoom(fd, stop); error != 0) return error;
        const ssize_t n = writer.writeSome(data);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (n < 0 && errno == EINTR) {
            if (stop.requested()) return ECANCELED;
            continue;
        }
        if (n < 0) return errno;
        if (n == 0) return EIO;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

}  // namespace

Status writeAll(int fd, std::string_view data, const StopToken* stop) {
    if (stop != nullptr) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))) {
            const int error = writeStream(fd, S_ISSOCK(st.st_mode), data, *stop);
            return error == 0 ? Status::ok() : Status::fromErrno(error, "");
        }
    }
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) {
            if (stop != nullptr && stop->requested()) return Status::fromErrno(ECANCELED, "");
            continue;
        }
        if (n < 0) return Status::fromErrno(errno, "");
        if (n == 0) return Status::fromErrno(EIO, "");
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return Status::ok();
}

}  // namespace quillory
