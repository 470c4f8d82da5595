#pragma once
// The program's own table of network drive letters. Linux has no drive
// letters, so the program keeps them: a letter C to Z stands for a share
// (\\host\share or smb://host/share), the table persists in the store, and a
// folder on a mapped letter ("Z:\sub") is read through the share.
#include <memory>
#include <optional>
#include <string>

#include "platform/folder_source.h"

namespace quillory {
class SettingsStore;
class StopToken;
}  // namespace quillory

namespace quillory::ui {

// A folder that lies on a share: the source that reads it, the path to open
// with that source, and the prefix pair that the headings swap.
struct NetworkFolder {
    std::unique_ptr<FolderSource> source;
    std::string path;
    std::string NetworkRoot;
    std::string NetworkPath;
};

class NetworkDrives {
public:
    explicit NetworkDrives(SettingsStore& store);
    ~NetworkDrives();
    NetworkDrives(const NetworkDrives&) = delete;
    NetworkDrives& operator=(const NetworkDrives&) = delete;

    // Connects `drive` (its first letter) to `remote`; no user name and no
    // password (nullopt) means the user's own credentials. 0 on success, an
    // error number otherwise.
    int mapNetworkDrive(const std::string& drive, const std::string& remote, const std::optional<std::string>& user,
                        const std::optional<std::string>& password);
    bool unmapNetworkDrive(const std::string& drive);
    // The roots in use ("C:\", NUL after each, one more NUL at the end).
    std::string getDriveStrings() const;
    // The highest free letter C to Z; empty when all are taken.
    std::string getFreeDriveLetter() const;
    // `folder` on a mapped letter or a share path: how to read it. nullopt for
    // a local folder.
    std::optional<NetworkFolder> resolve(const std::string& folder, StopToken* stop);

private:
    SettingsStore& m_store;
};

}  // namespace quillory::ui
