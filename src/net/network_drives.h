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
// asks its PasswordPrompt the first time the mapping is read. Share paths
// typed as such go through the one share login (share_login.h).
//
// Thread-safe: a run may resolve its folder on a worker thread while the
// window thread reads the letters.
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "net/drive_letters.h"
#include "net/mapped_drive.h"
#include "net/share_login.h"
#include "platform/secret_guard.h"

namespace quillory {

class StopToken;

class NetworkDrives {
public:
    // `table` remembers the mappings across runs; `prompt` (which outlives
    // this object; null: nobody to ask) asks for a remembered mapping's password.
    NetworkDrives(MappingTable& table, PasswordPrompt* prompt, ShareAccess access = smbShareAccess());
    ~NetworkDrives();
    NetworkDrives(const NetworkDrives&) = delete;
    NetworkDrives& operator=(const NetworkDrives&) = delete;

    // Connects `drive` (its first letter) to `remote`; no user name and no
    // password (nullopt) means the user's own credentials, empty texts are
    // empty texts. The share is tried first. Fails with EINVAL for a drive
    // that is no letter C to Z or a remote that is no share path, EEXIST for a
    // letter in use, or the errno value the share answered. A mapping the
    // store cannot remember still serves this run.
    Status mapNetworkDrive(const std::string& drive, const std::string& remote, const std::optional<std::string>& user,
                           const std::optional<std::string>& password);
    // True when `drive` (its first letter) was mapped and no longer is.
    bool unmapNetworkDrive(const std::string& drive);
    // The letters in use: C and the mapped ones.
    DriveLetters usedLetters() const;
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
    // Holds the guard exactly while a mapping of this run keeps a password.
    // Called with m_mutex held.
    void guardSessionSecrets();

    MappingTable& m_table;
    PasswordPrompt* m_prompt;
    ShareAccess m_access;
    // Mappings made or unlocked during this run, with their passwords; the
    // only table when the store cannot be written. Guarded by m_mutex, which
    // is never held while a share or the user is asked.
    mutable std::mutex m_mutex;
    std::map<char, Mapping> m_session;
    std::optional<SecretGuard> m_sessionSecrets;
};

}  // namespace quillory
