#pragma once
// Text for standard output, with the first failed write remembered: a command
// whose output was lost (a full disk, a closed pipe) must not report success.
#include <string_view>

namespace quillory::cli {

class StandardOutput {
public:
    void write(std::string_view text);
    // Flushes; `status` when everything was written, else kFailed with one
    // line on standard error.
    int finish(int status);

private:
    int m_error = 0;  // errno of the first failed write
};

}  // namespace quillory::cli
