#pragma once
// The folders where the file managers look for a user's actions: the XDG
// data and configuration folders of the user, and the system's own.
#include <string>
#include <vector>

namespace quillory::shell {

// $XDG_DATA_HOME and $XDG_CONFIG_HOME, or their defaults below the home
// folder, without a trailing separator.
std::string userDataFolder();
std::string userConfigFolder();
// The system's configuration folders, most important first ($XDG_CONFIG_DIRS,
// default /etc/xdg).
std::vector<std::string> systemConfigFolders();

}  // namespace quillory::shell
