#pragma once
// Kernel pseudo file systems (proc, sysfs, devtmpfs, ...): folders made up by
// the kernel, some endless (/proc/self/root leads back to /), none holding a
// user's files. The walk does not enter them. Judged by the file system of
// the open folder itself, so a link or a bind mount into one is caught too.
#include <string_view>

namespace quillory {

// The pseudo file system's name ("proc") for the open folder `fd`, or "" when
// it lies on an ordinary file system or cannot be examined.
std::string_view pseudoFileSystemOf(int fd);

}  // namespace quillory
