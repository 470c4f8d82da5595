#include "platform/write_all.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "platform/stop_token.h"

namespace quillory {
namespace {

// Longest wait before a stop request that arrived without interrupting
// anything is noticed.
constexpr int kPollSliceMs = 100;

bool isStream(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode));
}

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

}  // namespace

int writeAll(int fd, std::string_view data, const StopToken* stop) {
    // Once poll() reports room, PIPE_BUF bytes go into a pipe or socket
    // without blocking; more could block with nothing left to wake it.
    const bool waits = stop != nullptr && isStream(fd);
    while (!data.empty()) {
        std::size_t chunk = data.size();
        if (waits) {
            if (const int error = waitForRoom(fd, *stop); error != 0) return error;
            chunk = std::min<std::size_t>(chunk, PIPE_BUF);
        }
        const ssize_t n = ::write(fd, data.data(), chunk);
        if (n < 0 && errno == EINTR) {
            if (stop != nullptr && stop->requested()) return ECANCELED;
            continue;
        }
        if (n < 0) return errno;
        if (n == 0) return EIO;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

}  // namespace quillory
