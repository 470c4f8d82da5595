#include "cli/shown_name.h"

#include <unistd.h>

#include "text/control_escape.h"

namespace quillory::cli {

std::string shownName(std::string_view name) {
    static const bool terminal = ::isatty(STDERR_FILENO) == 1;
    return terminal ? escapeControlBytes(name) : std::string(name);
}

}  // namespace quillory::cli
