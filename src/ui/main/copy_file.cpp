#include "ui/main/copy_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string_view>
#include <utility>

namespace quillory::ui {

namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

FileError copyFileSafely(const std::string& source, const std::string& target) {
    const Descriptor in{::open(source.c_str(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0) return {Status::fromErrno(errno, ""), source};
    SafeFileWriter out(target);
    if (!out.ok()) return {out.status(), target};
    std::array<char, 1 << 16> buffer;
    for (;;) {
        const ssize_t got = ::read(in.fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return {Status::fromErrno(errno, ""), source};
        if (got == 0) break;
        if (!out.append(std::string_view(buffer.data(), static_cast<std::size_t>(got)))) return {out.status(), target};
    }
    if (Status done = out.commit(); !done) return {std::move(done), target};
    return {};
}

}  // namespace quillory::ui
