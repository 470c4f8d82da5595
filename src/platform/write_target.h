#pragma once
// What a path names when the program is asked to write to it, and therefore
// how it is written (safe_file.h does the writing).
#include <string>

namespace quillory {

enum class WriteTargetKind {
    Replace,     // a regular file, or nothing yet: rewritten through a temporary file
    Direct,      // a device or FIFO: opened and written as it is
    Socket,      // a local socket: connected to and written
    Descriptor,  // /dev/stdout and its kin: a descriptor this process holds
    Failed,      // `error` says why (a folder, a link loop, an unreadable path)
};

struct WriteTarget {
    WriteTargetKind kind = WriteTargetKind::Failed;
    // The file at the end of any chain of symbolic links, for Replace and
    // Direct; relative links are read from the folder of the link.
    std::string path;
    int fd = -1;     // for Descriptor
    int error = 0;   // for Failed
};

WriteTarget resolveWriteTarget(const std::string& path);

}  // namespace quillory
