#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quillory::cli {

namespace {
constexpr std::size_t kBufferSize = 1 << 20;
}

OutputFile::OutputFile(std::string target) : m_target(std::move(target)) {
    if (m_target.empty()) {
        m_fd = STDOUT_FILENO;
        return;
    }
    m_temp = m_target + ".XXXXXX";
    m_fd = ::mkostemp(m_temp.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_error = errno;
        m_temp.clear();
        return;
    }
    // mkstemp makes it private; a listing is an ordinary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(m_fd, 0666 & ~mask);
}

OutputFile::~OutputFile() {
    if (!m_temp.empty()) {
        if (m_fd >= 0) ::close(m_fd);
        ::unlink(m_temp.c_str());
    }
}

bool OutputFile::flush() {
    std::size_t done = 0;
    while (m_error == 0 && done < m_buffer.size()) {
        const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) m_error = n < 0 ? errno : EIO;
        else done += static_cast<std::size_t>(n);
    }
    m_buffer.clear();
    return m_error == 0;
}

bool OutputFile::append(std::string_view text) {
    if (m_error != 0) return false;
    m_buffer += text;
    return m_buffer.size() < kBufferSize || flush();
}

bool OutputFile::commit() {
    if (!flush()) return false;
    if (m_temp.empty()) return true;
    if (::fsync(m_fd) != 0 && errno != EINVAL) m_error = errno;
    if (::close(m_fd) != 0 && m_error == 0) m_error = errno;
    m_fd = -1;
    if (m_error == 0 && ::rename(m_temp.c_str(), m_target.c_str()) != 0) m_error = errno;
    if (m_error != 0) return false;
    m_temp.clear();
    return true;
}

std::string OutputFile::failure() const { return std::strerror(m_error); }

}  // namespace quillory::cli
