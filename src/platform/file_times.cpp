#include "platform/file_times.h"

#include <sys/stat.h>

#include "platform/regional.h"

namespace quillory {

double readModifiedDateTime(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0.0;
    return dateTimeFromTime(st.st_mtime);
}

}  // namespace quillory
