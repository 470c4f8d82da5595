#include "cli/share_login.h"

#include <pwd.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "net/smb_auth_file.h"
#include "text/ascii_case.h"
#include "net/smb_share.h"

namespace quillory::cli {

namespace {

std::string loginName() {
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name) return entry->pw_name;
    if (const char* user = std::getenv("USER"); user && *user) return user;
    return "guest";
}

// One line from the terminal on standard input, echo off; nullopt when the
// line could not be read (end of input, or a signal such as Ctrl-C).
std::optional<std::string> askPassword(const std::string& prompt) {
    termios saved{};
    if (::tcgetattr(STDIN_FILENO, &saved) != 0) return std::nullopt;
    // Echo goes off before the prompt shows: what is typed once it shows is kept.
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    std::string line;
    bool complete = false;
    for (char c; ;) {
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n != 1) break;  // end of input, or a signal ended the read
        if (c == '\n') {
            complete = true;
            break;
        }
        line.push_back(c);
    }
    ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    if (!complete) {
        std::fputc('\n', stderr);
        ::explicit_bzero(line.data(), line.size());
        return std::nullopt;
    }
    return line;
}

void wipe(SmbCredentials& credentials) {
    if (credentials.password) ::explicit_bzero(credentials.password->data(), credentials.password->size());
    credentials.password.reset();
}

std::string withoutTrailingSeparators(std::string path) {
    while (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
}

}  // namespace

bool looksLikeShare(std::string_view folder) {
    constexpr std::string_view kScheme = "smb://";
    return folder.starts_with("\\\\") ||
           (folder.size() >= kScheme.size() && equalWithoutCase(folder.substr(0, kScheme.size()), kScheme));
}

ShareAccess openShare(const std::string& folder, const std::string& authFile, const StopToken& stop) {
    ShareAccess access;
    const std::optional<ShareLocation> where = parseSharePath(folder);
    if (!where) {
        access.problem = "'" + folder + "' is not a share path (\\\\host\\share\\folder or smb://host/share/folder)";
        return access;
    }
    SmbCredentials credentials;
    if (!authFile.empty()) {
        std::optional<SmbCredentials> read = readAuthFile(authFile, access.problem);
        if (!read) return access;
        credentials = std::move(*read);
    }
    access.root = withoutTrailingSeparators(folder);
    access.source = makeSmbFolderSource(*where, credentials, &stop, access.root);
    if (!credentials.password && ::isatty(STDIN_FILENO) == 1) {
        const int error = access.source->open(access.root)->error();
        if (error == EACCES || error == EPERM) {
            const std::string user = credentials.user.value_or(loginName());
            credentials.user = user;
            credentials.password = askPassword("Password for " + user + "@" + where->host + ": ");
            if (credentials.password) access.source = makeSmbFolderSource(*where, credentials, &stop, access.root);
        }
    }
    wipe(credentials);
    return access;
}

}  // namespace quillory::cli
