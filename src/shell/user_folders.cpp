#include "shell/registry_path.h"

#include <QString>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quillory::shell {
namespace {

constexpr char kSeparator = '/';

// An XDG base folder: the variable when it holds an absolute path (a relative
// one is to be ignored), else the default below $HOME.
std::string baseFolder(const char* variable, const char* homeDefault) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') return value;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/" + homeDefault;
}

// A sub-key must stay below its root: not empty, not absolute, no "..".
bool staysInside(const std::string& subKey) {
    if (subKey.empty() || subKey.front() == kSeparator) return false;
    for (const auto& part : std::filesystem::path(subKey))
        if (part == "..") return false;
    return true;
}

}  // namespace

std::string userDataFolder() { return baseFolder("XDG_DATA_HOME", ".local/share"); }
std::string userConfigFolder() { return baseFolder("XDG_CONFIG_HOME", ".config"); }

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

std::string getRootKey(std::string_view keyPath) {
    const std::string_view root = keyPath.substr(0, keyPath.find(kSeparator));
    if (QString::fromUtf8(root.data(), static_cast<qsizetype>(root.size())).toUpper() == "HKCR")
        return userDataFolder();
    return {};
}

std::string getSubKey(std::string_view keyPath) {
    const auto separator = keyPath.find(kSeparator);
    if (separator == std::string_view::npos) return {};
    return std::string(keyPath.substr(separator + 1));
}

int deleteRegKey(std::string_view keyPath) {
    const std::string root = getRootKey(keyPath);
    const std::string subKey = getSubKey(keyPath);
    if (root.empty() || !staysInside(subKey)) return 0;
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(root) / subKey, ignored);
    return 0;
}

}  // namespace quillory::shell
