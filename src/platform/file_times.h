#pragma once
// A file's last-modification time as a local date-time.
#include <string>

namespace quillory {

// Whole seconds, as a directory listing shows them; 0 when the file cannot be
// examined. Follows a link to its target.
double readModifiedDateTime(const std::string& path);

}  // namespace quillory
