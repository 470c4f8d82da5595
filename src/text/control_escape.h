#pragma once
// A name made safe to show on a terminal: control bytes as ls -b shows them
// (\a \b \t \n \v \f \r by letter, others in octal such as \033), and C1
// control characters and bytes that are not UTF-8 in octal, so that a name
// can neither move the cursor nor retitle or clear the window. Every other
// byte, UTF-8 text included, is kept; a backslash stays single, as share
// paths are written with them.
#include <string>
#include <string_view>

namespace quillory {

std::string escapeControlBytes(std::string_view text);

}  // namespace quillory
