#include "platform/safe_file.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/stop_token.h"
#include "platform/write_all.h"
#include "platform/write_target.h"

namespace quillory {
namespace {

// Large enough that a listing costs few system calls, small enough not to
// matter beside the listing itself.
constexpr std::size_t kBufferSize = 1u << 20;
constexpr std::size_t kDirectWrite = 64u << 10;
constexpr std::string_view kTempSuffix = ".XXXXXX";

// The process's umask without changing it, which umask() cannot do safely
// while other threads create files.
mode_t currentUmask() {
    if (FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found) return static_cast<mode_t>(mask);
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A temporary name beside `target`: the target's own name with a suffix, or a
// short hidden name when that would be longer than a name may be.
std::string tempPattern(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::size_t nameLength = target.size() - (slash == std::string::npos ? 0 : slash + 1);
    if (nameLength + kTempSuffix.size() <= NAME_MAX) return target + std::string(kTempSuffix);
    return folderOf(target) + "/.quillory" + std::string(kTempSuffix);
}

// Gives the new file the old one's owner, group and permission bits. Only
// root may give a file away; anyone may keep the group when they belong to
// it. What cannot be kept is left as created (EPERM is no failure).
void keepOwnerAndMode(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    // After fchown, which clears set-user and set-group bits.
    ::fchmod(fd, old.st_mode & 07777);
}

}  // namespace

std::string describe(const FileError& error) { return error.path + ": " + std::strerror(error.code); }

SafeFileWriter::SafeFileWriter(std::string path, const StopToken* stop) : m_path(std::move(path)), m_stop(stop) {
    const WriteTarget target = resolveWriteTarget(m_path);
    switch (target.kind) {
    case WriteTargetKind::Replace: openReplacement(target.path); break;
    case WriteTargetKind::Direct: openDirect(target.path); break;
    case WriteTargetKind::Socket: openSocket(target.path); break;
    case WriteTargetKind::Descriptor:
        if (::fcntl(target.fd, F_GETFD) < 0) {
            fail(errno);
            break;
        }
        m_fd = target.fd;
        m_ownsFd = false;
        break;
    case WriteTargetKind::Failed: fail(target.error); break;
    }
}

SafeFileWriter::SafeFileWriter(int fd, std::string name, const StopToken* stop)
    : m_path(std::move(name)), m_stop(stop), m_fd(fd), m_ownsFd(false) {}

SafeFileWriter::~SafeFileWriter() {
    closeDescriptor();
    if (!m_temp.empty()) ::unlink(m_temp.c_str());
}

void SafeFileWriter::openReplacement(const std::string& target) {
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    std::string temp = tempPattern(target);
    m_fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (m_fd < 0) return fail(errno);
    m_temp = std::move(temp);
    m_target = target;
    if (exists)
        keepOwnerAndMode(m_fd, old);
    else
        ::fchmod(m_fd, 0666 & ~currentUmask());  // mkostemp makes it private
}

void SafeFileWriter::openDirect(const std::string& target) {
    // A FIFO's open waits for a reader; Stop may end that wait.
    for (;;) {
        m_fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (m_fd >= 0) return;
        if (errno != EINTR) return fail(errno);
        if (m_stop != nullptr && m_stop->requested()) return fail(ECANCELED);
    }
}

void SafeFileWriter::openSocket(const std::string& target) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (target.size() >= sizeof address.sun_path) return fail(ENAMETOOLONG);
    std::memcpy(address.sun_path, target.c_str(), target.size() + 1);
    m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0) return fail(errno);
    if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) fail(errno);
}

void SafeFileWriter::fail(int code) {
    if (m_error.code != 0) return;
    m_error = {code, m_path};
    m_buffer.clear();
}

bool SafeFileWriter::flush() {
    if (m_error.code != 0) return false;
    if (const int error = writeAll(m_fd, m_buffer, m_stop); error != 0) fail(error);
    m_buffer.clear();
    return ok();
}

bool SafeFileWriter::append(std::string_view text) {
    if (m_error.code != 0) return false;
    // A large piece (a big folder's block) goes out as it is: copying it
    // into the buffer first would only cost time.
    if (text.size() >= kDirectWrite) {
        if (!m_buffer.empty() && !flush()) return false;
        if (const int error = writeAll(m_fd, text, m_stop); error != 0) fail(error);
        return ok();
    }
    m_buffer += text;
    return m_buffer.size() < kBufferSize || flush();
}

void SafeFileWriter::closeDescriptor() {
    if (m_fd >= 0 && m_ownsFd && ::close(m_fd) != 0) fail(errno);
    m_fd = -1;
}

bool SafeFileWriter::commit() {
    if (m_fd < 0) {
        if (ok()) fail(EBADF);  // committed twice
        return false;
    }
    flush();
    if (m_temp.empty()) {
        closeDescriptor();
        return ok();
    }
    if (ok() && ::fsync(m_fd) != 0) fail(errno);
    closeDescriptor();
    if (!ok()) return false;
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        fail(errno);
        return false;
    }
    m_temp.clear();
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

int writeFileAtomically(const std::string& path, std::string_view text) {
    SafeFileWriter writer(path);
    writer.append(text);
    writer.commit();
    return writer.error().code;
}

}  // namespace quillory
