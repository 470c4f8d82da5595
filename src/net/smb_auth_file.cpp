#include "net/smb_auth_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/ascii_case.h"

namespace quillory {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

void takeUser(std::string_view value, SmbCredentials& credentials) {
    if (const std::size_t percent = value.find('%'); percent != std::string_view::npos) {
        credentials.password = std::string(value.substr(percent + 1));
        value = value.substr(0, percent);
    }
    if (const std::size_t slash = value.find_first_of("\\/"); slash != std::string_view::npos) {
        credentials.domain = std::string(value.substr(0, slash));
        value = value.substr(slash + 1);
    }
    credentials.user = std::string(value);
}

}  // namespace

SmbCredentials parseAuthText(std::string_view text) {
    SmbCredentials credentials;
    std::optional<std::string> domain;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || line[0] == ';' || equals == std::string_view::npos) continue;
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (equalWithoutCase(key, "username"))
            takeUser(value, credentials);
        else if (equalWithoutCase(key, "password"))
            credentials.password = std::string(value);
        else if (equalWithoutCase(key, "domain"))
            domain = std::string(value);
    }
    // A domain line wins over one written into the user name.
    if (domain) credentials.domain = std::move(domain);
    return credentials;
}

std::optional<SmbCredentials> readAuthFile(const std::string& path, std::string& problem) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::string content(64 * 1024, '\0');
    std::size_t used = 0;
    ssize_t n = fd < 0 ? -1 : 0;
    while (fd >= 0 && used < content.size()) {
        n = ::read(fd, content.data() + used, content.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        used += static_cast<std::size_t>(n);
    }
    const int error = errno;
    if (fd >= 0) ::close(fd);
    if (n < 0) {
        problem = "cannot read auth file '" + path + "': " + std::strerror(error);
        return std::nullopt;
    }
    // Read into a buffer that is never reallocated, so wiping it wipes every copy.
    SmbCredentials credentials = parseAuthText(std::string_view(content).substr(0, used));
    ::explicit_bzero(content.data(), content.size());
    return credentials;
}

}  // namespace quillory
