#include "shell/user_folders.h"

#include <cstdlib>

#include "platform/user_dirs.h"

namespace quillory::shell {

std::string userDataFolder() { return xdgFolder("XDG_DATA_HOME", ".local/share"); }
std::string userConfigFolder() { return xdgFolder("XDG_CONFIG_HOME", ".config"); }

std::vector<std::string> systemConfigFolders() {
    const char* value = std::getenv("XDG_CONFIG_DIRS");
    const std::string list = value != nullptr && value[0] != '\0' ? value : "/etc/xdg";
    std::vector<std::string> folders;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        if (end > start && list[start] == '/') folders.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return folders;
}

}  // namespace quillory::shell
