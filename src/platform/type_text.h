#pragma once
// The human-readable type of a file, judged by its name alone (the file is
// never opened): the shared-mime-info description on Linux.
#include <string>
#include <string_view>

namespace quillory {

// The type text for a file name (no folder), or "" when the name says nothing.
// Look-ups are memoised by the part of the name that decides the answer, so a
// million files with a dozen extensions cost a dozen database look-ups.
std::string typeTextForName(std::string_view fileName);

}  // namespace quillory
