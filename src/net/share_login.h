#pragma once
// One way into a share for both faces: quillory-list and the window's drive
// table (network_drives.h) both come here to turn a share path and
// credentials into a FolderSource. When a share refuses the user's own
// credentials, the login asks a PasswordPrompt, which each face implements
// (the command on its terminal without echo, the window with a masked
// dialog). A password is wiped from memory once the source holds it.
//
// Files: share_login.cpp (this) opens a share; network_drives.cpp keeps the
// window's drive letters (drive_letters.cpp) over a MappingTable
// (mapped_drive.h) and resolves a folder to its share through here;
// smb_path.cpp parses share paths, smb_client.cpp and smb_folder_source.cpp
// read shares through libsmbclient (smb_share.h); smb_auth_file.cpp reads
// the command's --auth-file.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "net/smb_share.h"
#include "platform/folder_source.h"
#include "platform/status.h"

namespace quillory {

class StopToken;

// Written as a share path: two back-slashes, or "smb://" in any case.
bool isSharePath(std::string_view folder);

// Trailing separators would double up when the walk appends a name.
std::string withoutTrailingSeparators(std::string path);

// What a face is asked when a share wants a password.
struct PasswordRequest {
    char letter = 0;      // the mapped drive letter; 0 for a share path typed as such
    std::string remote;   // the share as the user spelled it
    std::string host;
    std::optional<std::string> user;  // nullopt: the user's own
};

class PasswordPrompt {
public:
    virtual ~PasswordPrompt() = default;
    // nullopt when the user declines or no answer could be read.
    virtual std::optional<std::string> askPassword(const PasswordRequest& request) = 0;
};

// How the login reaches shares. The default is the SMB client; a test may
// wrap it to see what is passed.
struct ShareAccess {
    std::function<int(const ShareLocation&, const SmbCredentials&)> check;
    std::function<std::unique_ptr<FolderSource>(const ShareLocation&, const SmbCredentials&, const StopToken*,
                                                std::string rootSpelling)>
        open;
};
ShareAccess smbShareAccess();

// A folder that lies on a share: the source that reads it, the path to open
// with that source, and the prefix pair that the headings swap.
//
// For a folder on a mapped letter ("z:\sub"), path is the letter as typed, a
// colon and the rest with '/' separators ("z:/sub"), and NetworkRoot the
// letter and colon ("z:"). NetworkPath stays empty: a mapped letter is shown
// as itself, like any drive. A caller that lists a share through a temporary
// letter puts the share as typed into NetworkPath, and the headings show it
// in place of NetworkRoot. For a share path typed as such
// ("\\host\share\sub"), path is that text without trailing separators and
// both prefixes are empty: it is shown under its own name.
struct NetworkFolder {
    std::unique_ptr<FolderSource> source;
    std::string path;
    std::string NetworkRoot;
    std::string NetworkPath;
};

// A share path typed as such -> its folder, read with `credentials`. When no
// password is given and `prompt` is, a share that refuses the login is asked
// again with the password the prompt returns (the user name defaulting to
// the login name). Fails with kInvalid when `folder` is no share path.
Result<NetworkFolder> openShare(const std::string& folder, SmbCredentials credentials, PasswordPrompt* prompt,
                                const ShareAccess& access, const StopToken* stop);

}  // namespace quillory
