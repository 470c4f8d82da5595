#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quillory::cli {

OutputFile::OutputFile(std::string target) : m_target(std::move(target)) {
    if (m_target.empty()) {
        m_writer.emplace(STDOUT_FILENO, false);
        return;
    }
    m_temp = m_target + ".XXXXXX";
    const int fd = ::mkostemp(m_temp.data(), O_CLOEXEC);
    if (fd < 0) {
        m_error = errno;
        m_temp.clear();
    } else {
        // mkstemp makes it private; a listing is an ordinary file.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    m_writer.emplace(fd, true);
}

OutputFile::~OutputFile() {
    if (m_temp.empty()) return;
    m_writer.reset();
    ::unlink(m_temp.c_str());
}

bool OutputFile::append(std::string_view text) { return m_error == 0 && m_writer->append(text); }

bool OutputFile::commit() {
    if (m_error != 0) return false;
    if (!m_writer->close(!m_temp.empty())) return false;
    if (m_temp.empty()) return true;
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        m_error = errno;
        return false;
    }
    m_temp.clear();
    return true;
}

std::string OutputFile::failure() const { return std::strerror(m_error != 0 ? m_error : m_writer->error()); }

}  // namespace quillory::cli
