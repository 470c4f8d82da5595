#include "platform/write_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string_view>

namespace quillory {
namespace {

// As many links as the kernel itself follows in one lookup.
constexpr int kMaxLinks = 40;

// The descriptor that /dev/stdout, /dev/stderr, /dev/fd/N or /proc/self/fd/N
// stands for, or -1. These are not places a file can be renamed into: a
// standard output that is a pipe or socket has no path at all, and one
// redirected to a file must keep its offset and append mode.
int descriptorOf(std::string_view path) {
    if (path == "/dev/stdout") return 1;
    if (path == "/dev/stderr") return 2;
    for (std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (path.substr(0, prefix.size()) != prefix) continue;
        const std::string_view digits = path.substr(prefix.size());
        int fd = -1;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), fd);
        if (ec == std::errc() && end == digits.data() + digits.size() && fd >= 0) return fd;
    }
    return -1;
}

std::string readLink(const std::string& path, int& error) {
    std::string text(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), text.data(), text.size());
        if (n < 0) {
            error = errno;
            return {};
        }
        if (static_cast<std::size_t>(n) < text.size()) {
            text.resize(static_cast<std::size_t>(n));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

// A link's text, read from the folder the link is in.
std::string linkTarget(const std::string& link, const std::string& text) {
    if (text.empty() || text[0] == '/') return text;
    const std::size_t slash = link.rfind('/');
    return slash == std::string::npos ? text : link.substr(0, slash + 1) + text;
}

WriteTarget failed(int error) { return {WriteTargetKind::Failed, {}, -1, error}; }

}  // namespace

WriteTarget resolveWriteTarget(const std::string& path) {
    if (path.empty()) return failed(ENOENT);
    std::string current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        if (const int fd = descriptorOf(current); fd >= 0) return {WriteTargetKind::Descriptor, current, fd, 0};
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            // Nothing there yet: it is created (and a missing folder reported then).
            if (errno == ENOENT) return {WriteTargetKind::Replace, current, -1, 0};
            return failed(errno);
        }
        if (S_ISLNK(st.st_mode)) {
            int error = 0;
            const std::string text = readLink(current, error);
            if (error != 0) return failed(error);
            current = linkTarget(current, text);
            continue;
        }
        if (S_ISREG(st.st_mode)) return {WriteTargetKind::Replace, current, -1, 0};
        if (S_ISDIR(st.st_mode)) return failed(EISDIR);
        if (S_ISSOCK(st.st_mode)) return {WriteTargetKind::Socket, current, -1, 0};
        return {WriteTargetKind::Direct, current, -1, 0};
    }
    return failed(ELOOP);
}

}  // namespace quillory
