#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/exit_status.h"

namespace quillory::cli {

void StandardOutput::write(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && m_error == 0) m_error = errno;
}

int StandardOutput::finish(int status) {
    if (std::fflush(stdout) != 0 && m_error == 0) m_error = errno;
    if (m_error == 0 && !std::ferror(stdout)) return status;
    std::fprintf(stderr, "quillory-list: cannot write 'standard output': %s\n",
                 std::strerror(m_error != 0 ? m_error : EIO));
    return kFailed;
}

}  // namespace quillory::cli
