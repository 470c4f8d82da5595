#pragma once
// The text of quillory-list --help: every option, one line each.
#include <string_view>

namespace quillory::cli {

extern const std::string_view kHelpText;

}  // namespace quillory::cli
