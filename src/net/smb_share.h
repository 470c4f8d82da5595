#pragma once
// SMB shares read without a mount: a share path in either spelling, a probe
// that says whether a share opens with given credentials, and a FolderSource
// that reads folders below a share through libsmbclient.
//
// One source holds one libsmbclient context and must be used from one thread
// at a time (contexts are not shared between threads). Passwords are handed
// to the library through its auth callback and are never logged or kept
// beyond the source's life.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/folder_source.h"

namespace quillory {

class StopToken;

struct ShareLocation {
    std::string host;
    int port = 0;  // 0: the default port
    std::string share;
    std::string subPath;  // '/'-separated bytes, no leading or trailing '/'
    bool operator==(const ShareLocation&) const = default;
};

// "\\host\share\sub\dir" or "smb://host[:port]/share/sub/dir" (percent-escapes
// decoded) -> location; nullopt for anything else (no host, no share, a bad
// port or escape).
std::optional<ShareLocation> parseSharePath(std::string_view text);

// smb://host[:port]/share/sub, escaped as libsmbclient wants it.
std::string smbUrl(const ShareLocation& where);

// nullopt members: the user's own (a Kerberos ticket, the login name, or guest).
struct SmbCredentials {
    std::optional<std::string> user;
    std::optional<std::string> password;
    std::optional<std::string> domain;
};

// Zeroes and drops the password, so no copy outlives its use.
void wipe(SmbCredentials& credentials);

// 0 when the share (and its subPath) can be opened with these credentials,
// else an errno value: EACCES/EPERM refused login, ENOENT/ENODEV missing
// share or folder, EHOSTUNREACH/ETIMEDOUT/ECONNREFUSED/... unreachable server.
int checkShare(const ShareLocation& where, const SmbCredentials& credentials);

// A FolderSource for the folders below `where`. The paths given to open()
// are spelled `rootSpelling` followed by the rest below the share's subPath
// (separated by '/' or '\'), so headings can show the user's own spelling;
// the walk's own root path is `rootSpelling` itself. `stop`, when given,
// makes reads return promptly (their folders then read as unreadable).
std::unique_ptr<FolderSource> makeSmbFolderSource(const ShareLocation& where, const SmbCredentials& credentials,
                                                  const StopToken* stop, std::string rootSpelling);

}  // namespace quillory
