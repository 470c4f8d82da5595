// Share paths in the two spellings users type, and the URL libsmbclient reads.
#include <charconv>
#include <string>
#include <vector>

#include "text/ascii_case.h"
#include "net/smb_share.h"

namespace quillory {

namespace {

constexpr std::string_view kScheme = "smb://";

std::vector<std::string_view> splitAny(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find_first_of(separators, from);
        parts.push_back(text.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
        if (at == std::string_view::npos) return parts;
        from = at + 1;
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = asciiLower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A percent-escaped component; nullopt for a broken escape or one that would
// make a separator or NUL, which no name may hold.
std::optional<std::string> decoded(std::string_view part) {
    std::string out;
    out.reserve(part.size());
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] != '%') {
            out.push_back(part[i]);
            continue;
        }
        if (i + 2 >= part.size()) return std::nullopt;
        const int high = hexValue(part[i + 1]), low = hexValue(part[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        const char c = static_cast<char>(high * 16 + low);
        if (c == '\0' || c == '/' || c == '\\') return std::nullopt;
        out.push_back(c);
        i += 2;
    }
    return out;
}

// The share and the folders below it: empty folder components (doubled or
// trailing separators) are dropped, an empty share is not.
bool takeShareAndPath(const std::vector<std::string_view>& parts, std::size_t first, bool escaped,
                      ShareLocation& where) {
    if (parts.size() <= first || parts[first].empty()) return false;
    for (std::size_t i = first; i < parts.size(); ++i) {
        if (i > first && parts[i].empty()) continue;
        std::optional<std::string> name = escaped ? decoded(parts[i]) : std::optional(std::string(parts[i]));
        if (!name) return false;
        if (i == first) {
            where.share = std::move(*name);
            continue;
        }
        if (!where.subPath.empty()) where.subPath += '/';
        where.subPath += *name;
    }
    return true;
}

std::optional<ShareLocation> parseBackslashPath(std::string_view text) {
    const auto parts = splitAny(text.substr(2), "\\/");
    ShareLocation where;
    where.host = std::string(parts[0]);
    if (where.host.empty() || !takeShareAndPath(parts, 1, false, where)) return std::nullopt;
    return where;
}

bool parsePort(std::string_view digits, int& port) {
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
    return ec == std::errc() && end == digits.data() + digits.size() && port > 0 && port <= 65535;
}

// host, host:port, [v6 address] or [v6 address]:port.
bool parseAuthority(std::string_view authority, ShareLocation& where) {
    if (authority.find_first_of("@?#%") != std::string_view::npos) return false;
    std::string_view host = authority, port;
    if (authority.starts_with('[')) {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos) return false;
        host = authority.substr(1, close - 1);
        const std::string_view rest = authority.substr(close + 1);
        if (!rest.empty() && (rest[0] != ':' || rest.size() == 1)) return false;
        if (!rest.empty()) port = rest.substr(1);
    } else if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos) {
        host = authority.substr(0, colon);
        port = authority.substr(colon + 1);
        if (port.empty()) return false;
    }
    if (host.empty()) return false;
    if (!port.empty() && !parsePort(port, where.port)) return false;
    where.host = std::string(host);
    return true;
}

std::optional<ShareLocation> parseUrl(std::string_view text) {
    const std::string_view rest = text.substr(kScheme.size());
    if (rest.find_first_of("?#") != std::string_view::npos) return std::nullopt;
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    ShareLocation where;
    if (!parseAuthority(rest.substr(0, slash), where)) return std::nullopt;
    if (!takeShareAndPath(splitAny(rest.substr(slash + 1), "/"), 0, true, where)) return std::nullopt;
    return where;
}

// Everything but the unreserved characters is escaped: libsmbclient reads
// '?' as the start of options and '@' as the end of a user name, and decodes
// every escape it finds.
void appendEscaped(std::string& out, std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        const bool plain = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' ||
                           u == '.' || u == '_' || u == '~';
        if (plain) {
            out.push_back(c);
            continue;
        }
        out.push_back('%');
        out.push_back(kHex[u >> 4]);
        out.push_back(kHex[u & 0xF]);
    }
}

}  // namespace

std::optional<ShareLocation> parseSharePath(std::string_view text) {
    if (text.starts_with("\\\\")) return parseBackslashPath(text);
    if (text.size() > kScheme.size() && equalWithoutCase(text.substr(0, kScheme.size()), kScheme))
        return parseUrl(text);
    return std::nullopt;
}

std::string smbUrl(const ShareLocation& where) {
    std::string url(kScheme);
    const bool v6 = where.host.find(':') != std::string::npos;
    if (v6) url += '[';
    url += where.host;
    if (v6) url += ']';
    if (where.port != 0) url += ':' + std::to_string(where.port);
    url += '/';
    appendEscaped(url, where.share);
    for (const std::string_view part : splitAny(where.subPath, "/")) {
        if (part.empty()) continue;
        url += '/';
        appendEscaped(url, part);
    }
    return url;
}

}  // namespace quillory
