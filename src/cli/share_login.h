#pragma once
// How quillory-list reaches a share: the root spelled as the user typed it,
// the credentials from --auth-file or else the user's own, and, on a
// terminal, a password asked for (never echoed) when the server refuses the
// user's own. A password is never taken from the command line.
#include <memory>
#include <string>
#include <string_view>

#include "platform/folder_source.h"
#include "platform/stop_token.h"

namespace quillory::cli {

// Written as a share path: "\\..." or "smb://..." (the scheme in any case).
bool looksLikeShare(std::string_view folder);

struct ShareAccess {
    std::unique_ptr<FolderSource> source;  // null when `problem` says why
    std::string root;                      // the walk's base: the path as typed, no trailing separator
    std::string problem;
};

ShareAccess openShare(const std::string& folder, const std::string& authFile, const StopToken& stop);

}  // namespace quillory::cli
