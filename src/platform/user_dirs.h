#pragma once
// The user's base folders as the XDG conventions name them.
#include <string>
#include <string_view>

namespace quillory {

// $HOME, else the home folder of the user's account; "" when neither is known.
std::string homeFolder();

// The folder in the environment variable `variable` when it holds an absolute
// path (the convention ignores relative ones), else homeFolder() + "/" +
// `homeRelative`. Without a trailing separator.
std::string xdgFolder(const char* variable, std::string_view homeRelative);

}  // namespace quillory
