#pragma once
// Each file manager reads the verb's command line by its own rules; these
// write one argument so that it comes back unchanged under them.
#include <string>
#include <string_view>

namespace quillory::shell {

// A POSIX shell word: the text in single quotes, a quote inside as '\''.
// The shell and GLib's command-line parser both read it back literally.
std::string shellQuote(std::string_view text);

// A desktop-entry Exec argument: in double quotes, with ", `, $ and \ after
// a backslash, and % doubled (before the key file's own escaping).
std::string desktopExecQuote(std::string_view text);

// A key-file string value: \ as \\, and newline, tab and carriage return as
// \n, \t, \r, so that the value is one line and reads back as given.
std::string keyFileEscape(std::string_view text);

}  // namespace quillory::shell
