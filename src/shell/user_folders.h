#pragma once
// Key paths of the verb. A key path is a root name, a separator and a path
// below that root: "HKCR/kio/servicemenus/quillory-print-listing.desktop".
// On this system the root "HKCR" (the per-user class registrations) is the
// user's data folder, where the file managers look up per-user actions, and a
// key is a file or folder below it. A registry-backed build keeps these names
// with the registry's roots and keys.
#include <string>
#include <string_view>
#include <vector>

namespace quillory::shell {

// The root folder that the text before the first separator names ("HKCR",
// compared without case): $XDG_DATA_HOME, or ~/.local/share when that is not
// set. Empty for any other root.
std::string getRootKey(std::string_view keyPath);

// The text after the first separator (empty when there is none).
std::string getSubKey(std::string_view keyPath);

// Removes the key and everything below it: the file, or the folder with its
// contents. A key that is missing, that cannot be removed, or whose path does
// not name a place strictly inside its root is passed over. Always 0.
int deleteRegKey(std::string_view keyPath);

// The user's data and configuration folders ($XDG_DATA_HOME, $XDG_CONFIG_HOME,
// or their defaults below $HOME), without a trailing separator.
std::string userDataFolder();
std::string userConfigFolder();
// The system's configuration folders, most important first ($XDG_CONFIG_DIRS,
// default /etc/xdg).
std::vector<std::string> systemConfigFolders();

}  // namespace quillory::shell
