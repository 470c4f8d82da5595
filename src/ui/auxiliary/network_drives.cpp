// Placeholder until shares can be read: every mapping fails.
#include "ui/auxiliary/network_drives.h"

#include <cerrno>

namespace quillory::ui {

NetworkDrives::NetworkDrives(SettingsStore& store) : m_store(store) {}
NetworkDrives::~NetworkDrives() = default;

int NetworkDrives::mapNetworkDrive(const std::string&, const std::string&, const std::optional<std::string>&,
                                   const std::optional<std::string>&) {
    return ENOSYS;
}
bool NetworkDrives::unmapNetworkDrive(const std::string&) { return false; }
std::string NetworkDrives::getDriveStrings() const { return std::string("C:\\") + '\0' + '\0'; }
std::string NetworkDrives::getFreeDriveLetter() const { return "Z"; }
std::optional<NetworkFolder> NetworkDrives::resolve(const std::string&, StopToken*) { return std::nullopt; }

}  // namespace quillory::ui
