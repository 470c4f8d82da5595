#pragma once
// A finished listing copied to the file the user chose.
#include <string>

#include "platform/safe_file.h"

namespace quillory::ui {

// Why a copy failed, and the file (source or target) it failed on.
struct FileError {
    Status status;
    std::string path;
};

// Replaces `target` with the bytes of `source` through the safe writer, so a
// failure leaves an existing target as it was. An ok status on success.
FileError copyFileSafely(const std::string& source, const std::string& target);

}  // namespace quillory::ui
