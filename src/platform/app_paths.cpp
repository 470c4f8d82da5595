#include "platform/app_paths.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/app_name.h"
#include "platform/user_dirs.h"

namespace quillory {

namespace {

namespace fs = std::filesystem;

std::string withSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

std::string getAppPath() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path()) return withSeparator(exe.parent_path().string());
    // Without /proc the working folder is the best guess at where we run.
    const fs::path here = fs::current_path(ec);
    return ec ? std::string("./") : withSeparator(here.string());
}

std::string programFilesFolderFor(const std::string& appFolder) {
    // An installed program's folder belongs to root; the user's files then go
    // to the per-user state folder instead.
    if (!appFolder.empty() && ::access(appFolder.c_str(), W_OK) == 0) return withSeparator(appFolder);
    const std::string state = xdgFolder("XDG_STATE_HOME", ".local/state") + "/" + std::string(kAppName);
    std::error_code ec;
    fs::create_directories(state, ec);
    return withSeparator(state);
}

std::string programFilesFolder() { return programFilesFolderFor(getAppPath()); }

std::string scratchFilePath() { return programFilesFolder() + "myTmpFile.htm"; }

std::string logFilePath() { return programFilesFolder() + "log.txt"; }

}  // namespace quillory
