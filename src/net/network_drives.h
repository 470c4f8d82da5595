#pragma once
// The program's own table of network drive letters. Linux has no drive
// letters, so the program keeps them: a letter C to Z stands for a share
// (\\host\share or smb://host/share), the table persists in the store, and a
// folder on a mapped letter ("Z:\sub") is read through the share.
//
// The letter C stands for the root file system "/": it is always in use and
// never mapped. Every other letter is in use exactly when it is mapped. A
// mapping is kept in a MappingTable (the store's section "Drives", see
// settings/mapped_drives.h) so
// that it outlives the program; its password lives only in this object's
// memory, and when a mapping restored from the store needs one, the table
// asks for it (AskPassword) the first time the mapping is read.
//
// Thread-safe: a run may resolve its folder on a worker thread while the
// window thread reads the letters.
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/folder_source.h"
#include "net/smb_share.h"
#include "net/mapped_drive.h"

namespace quillory {

class StopToken;

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

// Asks for the password of a mapping restored from the store; nullopt when
// the user declines. `user` is the mapping's user name (nullopt: the user's own).
using AskPassword =
    std::function<std::optional<std::string>(char letter, const std::string& remote, const std::optional<std::string>& user)>;

// How the table reaches shares. The default is the SMB client; a test may
// wrap it to see what is passed.
struct ShareAccess {
    std::function<int(const ShareLocation&, const SmbCredentials&)> check;
    std::function<std::unique_ptr<FolderSource>(const ShareLocation&, const SmbCredentials&, const StopToken*,
                                                std::string rootSpelling)>
        open;
};
ShareAccess smbShareAccess();

class NetworkDrives {
public:
    // `table` remembers the mappings across runs; `ask` is how a remembered
    // mapping's password is asked for.
    NetworkDrives(MappingTable& table, AskPassword ask, ShareAccess access = smbShareAccess());
    ~NetworkDrives();
    NetworkDrives(const NetworkDrives&) = delete;
    NetworkDrives& operator=(const NetworkDrives&) = delete;

    // Connects `drive` (its first letter) to `remote`; no user name and no
    // password (nullopt) means the user's own credentials, empty texts are
    // empty texts. The share is tried first. 0 on success, else an errno
    // value: EINVAL for a drive that is no letter C to Z or a remote that is
    // no share path, EEXIST for a letter in use, or what the share answered.
    int mapNetworkDrive(const std::string& drive, const std::string& remote, const std::optional<std::string>& user,
                        const std::optional<std::string>& password);
    // True when `drive` (its first letter) was mapped and no longer is.
    bool unmapNetworkDrive(const std::string& drive);
    // The roots in use ("C:\", NUL after each, one more NUL at the end).
    std::string getDriveStrings() const;
    // The highest free letter C to Z; empty when all are taken.
    std::string getFreeDriveLetter() const;
    // `folder` on a mapped letter or a share path: how to read it. nullopt for
    // anything else, a local folder included. `stop`, when given, cuts the
    // source's reads short.
    std::optional<NetworkFolder> resolve(const std::string& folder, StopToken* stop);

private:
    // A mapping and, once known in this run, the credentials that open it.
    struct Mapping {
        MappedDrive drive;
        std::optional<SmbCredentials> credentials;
    };
    std::optional<Mapping> findMapping(char letter) const;
    SmbCredentials credentialsFor(const Mapping& mapping);

    MappingTable& m_table;
    AskPassword m_ask;
    ShareAccess m_access;
    // Mappings made or unlocked during this run, with their passwords; the
    // only table when the store cannot be written. Guarded by m_mutex, which
    // is never held while a share or the user is asked.
    mutable std::mutex m_mutex;
    std::map<char, Mapping> m_session;
};

}  // namespace quillory
