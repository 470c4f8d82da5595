#pragma once
// Names and paths in messages on standard error. On a terminal their control
// bytes are escaped, so a folder name cannot retitle or clear the window;
// elsewhere (a file, a script's pipe) they keep their bytes. The listing on
// standard output is never escaped.
#include <string>
#include <string_view>

namespace quillory::cli {

std::string shownName(std::string_view name);

}  // namespace quillory::cli
