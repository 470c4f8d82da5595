#pragma once
// The human-readable type of a file, judged by its name alone (the file is
// never opened): the shared-mime-info description on Linux.
#include <string>
#include <string_view>

namespace quillory {

// The type text for a file name (no folder): the description of the MIME type
// its name matches; for a name that matches no type, "XYZ File" after its
// upper-cased extension, or "File" without one; "" for the empty name.
// Look-ups are memoised by the part of the name that decides the answer, so a
// million files with a dozen extensions cost a dozen database look-ups.
// Thread-safe.
std::string typeTextForName(std::string_view fileName);
// The same into `out`, whose buffer is reused: no allocation once it is large enough.
void typeTextForName(std::string_view fileName, std::string& out);

// The same answer straight from the database, without the memo.
std::string typeTextUncached(std::string_view fileName);

}  // namespace quillory
