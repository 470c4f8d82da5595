#pragma once
#include <string_view>

namespace quillory {

// Writes all of `data` to `fd`, resuming after interruptions and short
// writes. 0, or the errno of the failure.
int writeAll(int fd, std::string_view data);

}  // namespace quillory
