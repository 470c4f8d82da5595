#include "net/share_login.h"

#include <pwd.h>
#include <string.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "text/ascii_case.h"

namespace quillory {

namespace {

std::string loginName() {
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name) return entry->pw_name;
    if (const char* user = std::getenv("USER"); user && *user) return user;
    return "guest";
}

}  // namespace

bool isSharePath(std::string_view folder) {
    constexpr std::string_view kScheme = "smb://";
    return folder.starts_with("\\\\") ||
           (folder.size() >= kScheme.size() && equalWithoutCase(folder.substr(0, kScheme.size()), kScheme));
}

std::string withoutTrailingSeparators(std::string path) {
    while (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
}

ShareAccess smbShareAccess() { return ShareAccess{checkShare, makeSmbFolderSource}; }

Result<NetworkFolder> openShare(const std::string& folder, SmbCredentials credentials, PasswordPrompt* prompt,
                                const ShareAccess& access, const StopToken* stop) {
    const std::optional<ShareLocation> where = parseSharePath(folder);
    if (!where) {
        wipe(credentials);
        return Status::error(Status::kInvalid, "'" + folder +
                                                   "' is not a share path (\\\\host\\share\\folder or "
                                                   "smb://host/share/folder)");
    }
    NetworkFolder out;
    out.path = withoutTrailingSeparators(folder);
    out.source = access.open(*where, credentials, stop, out.path);
    if (!credentials.password && prompt) {
        const int error = out.source->open(out.path)->error();
        if (error == EACCES || error == EPERM) {
            credentials.user = credentials.user.value_or(loginName());
            credentials.password = prompt->askPassword({0, folder, where->host, credentials.user});
            if (credentials.password) out.source = access.open(*where, credentials, stop, out.path);
        }
    }
    wipe(credentials);
    return out;
}

}  // namespace quillory
