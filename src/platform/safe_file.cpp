#include "platform/safe_file.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/guarded_files.h"
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

// A file of our own in the temporary folder that nobody else can open: the
// text that is later copied into a kept file. Unnamed where the system can.
int anonymousFile() {
    const char* folder = std::getenv("TMPDIR");
    const std::string base = folder && *folder ? folder : "/tmp";
    const int fd = ::open(base.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) return fd;
    std::string name = base + "/quillory" + std::string(kTempSuffix);
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) ::unlink(name.c_str());
    return named;
}

// Writes the first `length` bytes of `from` into `to` at the same offsets.
// 0 or the errno of the failure.
int copyRange(int from, int to, off_t length) {
    std::string buffer(kDirectWrite, '\0');
    for (off_t offset = 0; offset < length;) {
        const auto want = static_cast<std::size_t>(std::min<off_t>(length - offset, static_cast<off_t>(buffer.size())));
        const ssize_t got = ::pread(from, buffer.data(), want, offset);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) return EIO;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::pwrite(to, buffer.data() + done, static_cast<std::size_t>(got - done), offset + done);
            if (put < 0 && errno == EINTR) continue;
            if (put < 0) return errno;
            if (put == 0) return EIO;
            done += put;
        }
        offset += got;
    }
    return 0;
}

// Whether `length` bytes fit into `fd` (now `oldLength` long) on a file
// system that cannot reserve space: the free space and the file size limit.
int fitsWithoutReserving(int fd, off_t length, off_t oldLength) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<rlim_t>(length) > limit.rlim_cur)
        return EFBIG;
    struct statvfs space {};
    if (length > oldLength && ::fstatvfs(fd, &space) == 0 &&
        static_cast<unsigned long long>(length - oldLength) >
            static_cast<unsigned long long>(space.f_bavail) * space.f_frsize)
        return ENOSPC;
    return 0;
}

}  // namespace

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
    if (m_keptFd >= 0) ::close(m_keptFd);
    if (!m_temp.empty()) ::unlink(m_temp.c_str());
}

bool SafeFileWriter::openTemporary(const std::string& target) {
    std::string temp = tempPattern(target);
    m_fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (m_fd < 0) return false;
    m_temp = std::move(temp);
    return true;
}

void SafeFileWriter::openReplacement(const std::string& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        if (errno != ENOENT) return fail(errno);
        if (!openTemporary(target)) return fail(errno);
        m_target = target;
        ::fchmod(m_fd, 0666 & ~currentUmask());  // mkostemp makes it private
        return;
    }
    if (const std::string what = guardedFileAt(old); !what.empty())
        return refuse("it is " + what + ", which a listing never replaces");
    // The effective IDs decide, as for the open() of a shell redirection.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return fail(errno);
    m_target = target;
    if (openTemporary(target)) {
        keepIfPossible(old);
        if (m_keptFd < 0) return;
    }
    if (!ok()) return;
    if (m_fd < 0) {
        // The folder takes no new file: the text waits elsewhere.
        m_fd = anonymousFile();
        if (m_fd < 0) return fail(errno);
        m_keptFd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (m_keptFd < 0) fail(errno);
    }
}

// Gives the temporary file the old one's owner, group and mode. Only root
// may give a file away, a group must be one of ours, and the set-group-ID bit
// is dropped silently for a group that is not; so the result is looked at.
// What cannot be kept makes the old file stay: the text is copied into it.
void SafeFileWriter::keepIfPossible(const struct stat& old) {
    if (::fchown(m_fd, old.st_uid, old.st_gid) != 0) (void)::fchown(m_fd, static_cast<uid_t>(-1), old.st_gid);
    // After fchown, which clears the set-user-ID and set-group-ID bits.
    ::fchmod(m_fd, old.st_mode & 07777);
    struct stat now {};
    const bool kept = ::fstat(m_fd, &now) == 0 && now.st_uid == old.st_uid && now.st_gid == old.st_gid &&
                      (now.st_mode & 07777) == (old.st_mode & 07777);
    if (kept && old.st_nlink == 1) return;
    m_keptFd = ::open(m_target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (m_keptFd < 0) return fail(errno);
    // The text stays in the unnamed file until the copy.
    ::fchmod(m_fd, 0600);
    ::unlink(m_temp.c_str());
    m_temp.clear();
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
    if (!ok()) return;
    m_status = Status::fromErrno(code, "");
    m_buffer.clear();
}

void SafeFileWriter::refuse(const std::string& why) {
    if (!ok()) return;
    m_status = Status::error(Status::kInvalid, why);
    m_buffer.clear();
}

bool SafeFileWriter::flush() {
    if (!ok()) return false;
    if (Status written = writeAll(m_fd, m_buffer, m_stop); !written) m_status = std::move(written);
    m_buffer.clear();
    return ok();
}

bool SafeFileWriter::append(std::string_view text) {
    if (!ok()) return false;
    // A large piece (a big folder's block) goes out as it is: copying it
    // into the buffer first would only cost time.
    if (text.size() >= kDirectWrite) {
        if (!m_buffer.empty() && !flush()) return false;
        if (Status written = writeAll(m_fd, text, m_stop); !written) m_status = std::move(written);
        return ok();
    }
    m_buffer += text;
    return m_buffer.size() < kBufferSize || flush();
}

void SafeFileWriter::closeDescriptor() {
    if (m_fd >= 0 && m_ownsFd && ::close(m_fd) != 0) fail(errno);
    m_fd = -1;
}

Status SafeFileWriter::commit() {
    if (m_fd < 0) {
        if (ok()) fail(EBADF);  // committed twice
        return m_status;
    }
    flush();
    if (m_keptFd >= 0) return copyIntoPlace();
    if (m_temp.empty()) {
        closeDescriptor();
        return m_status;
    }
    return renameIntoPlace();
}

Status SafeFileWriter::renameIntoPlace() {
    if (ok() && ::fsync(m_fd) != 0) fail(errno);
    closeDescriptor();
    if (!ok()) return m_status;
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        fail(errno);
        return m_status;
    }
    m_temp.clear();
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return m_status;
}

// The old file keeps its inode, so the new text must be written into it.
// Only a finished text is copied, and only after the space for all of it is
// reserved (fallocate), so that neither a full disk nor the file size limit
// can stop the copy half-way; a failed reservation leaves the old bytes as
// they were. Where the file system cannot reserve, the free space and the
// limit are checked instead. A backup copy would also cover an I/O error in
// the middle of the copy, at the price of a second file of the same size;
// a listing is cheap to make again, so the space is not spent.
Status SafeFileWriter::copyIntoPlace() {
    struct stat text {};
    struct stat old {};
    if (ok() && (::fstat(m_fd, &text) != 0 || ::fstat(m_keptFd, &old) != 0)) fail(errno);
    if (ok() && text.st_size > 0 && ::fallocate(m_keptFd, 0, 0, text.st_size) != 0) {
        const int error = errno;
        if (error == EOPNOTSUPP || error == ENOSYS) {
            if (const int misfit = fitsWithoutReserving(m_keptFd, text.st_size, old.st_size); misfit != 0) fail(misfit);
        } else {
            struct stat now {};
            if (::fstat(m_keptFd, &now) == 0 && now.st_size != old.st_size) (void)::ftruncate(m_keptFd, old.st_size);
            fail(error);
        }
    }
    if (ok())
        if (const int error = copyRange(m_fd, m_keptFd, text.st_size); error != 0) fail(error);
    if (ok() && ::ftruncate(m_keptFd, text.st_size) != 0) fail(errno);
    if (ok() && ::fsync(m_keptFd) != 0) fail(errno);
    if (::close(m_keptFd) != 0) fail(errno);
    m_keptFd = -1;
    closeDescriptor();
    return m_status;
}

Status writeFileAtomically(const std::string& path, std::string_view text) {
    SafeFileWriter writer(path);
    writer.append(text);
    return writer.commit();
}

}  // namespace quillory
