#pragma once
// A finished listing copied to the file the user chose.
#include <string>

#include "platform/safe_file.h"

namespace quillory::ui {

// Replaces `target` with the bytes of `source` through the safe writer, so a
// failure leaves an existing target as it was. code 0 on success; otherwise
// the error and the file (source or target) that caused it.
FileError copyFileSafely(const std::string& source, const std::string& target);

}  // namespace quillory::ui
