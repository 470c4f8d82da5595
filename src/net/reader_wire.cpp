#include "net/reader_wire.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace quillory::smb::wire {

namespace {

constexpr char kLogin = 'L';
constexpr char kRequest = 'R';
constexpr char kDirectory = 'D';

class Writer {
public:
    explicit Writer(char tag) : m_out(sizeof(std::uint32_t), '\0') { m_out.push_back(tag); }

    template <typename T>
    void number(T value) {
        static_assert(std::is_arithmetic_v<T>);
        m_out.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void text(std::string_view value) {
        number(static_cast<std::uint32_t>(value.size()));
        m_out.append(value);
    }
    void maybe(const std::optional<std::string>& value) {
        number(static_cast<std::uint8_t>(value.has_value()));
        if (value) text(*value);
    }
    std::string finish() {
        const auto length = static_cast<std::uint32_t>(m_out.size() - sizeof(std::uint32_t));
        std::memcpy(m_out.data(), &length, sizeof length);
        return std::move(m_out);
    }

private:
    std::string m_out;
};

class Reader {
public:
    Reader(std::string_view in, char tag) : m_in(in) { m_ok = !m_in.empty() && m_in[0] == tag; m_in.remove_prefix(m_ok ? 1 : 0); }

    template <typename T>
    T number() {
        T value{};
        if (!m_ok || m_in.size() < sizeof value) {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_in.data(), sizeof value);
        m_in.remove_prefix(sizeof value);
        return value;
    }
    std::string text() {
        const auto length = number<std::uint32_t>();
        if (!m_ok || m_in.size() < length) {
            m_ok = false;
            return {};
        }
        std::string out(m_in.substr(0, length));
        m_in.remove_prefix(length);
        return out;
    }
    std::optional<std::string> maybe() {
        if (number<std::uint8_t>() == 0) return std::nullopt;
        return text();
    }
    // Everything read, and nothing left over.
    bool done() const { return m_ok && m_in.empty(); }

private:
    std::string_view m_in;
    bool m_ok = false;
};

}  // namespace

std::string loginFrame(const Login& login) {
    Writer out(kLogin);
    out.text(login.where.host);
    out.number(static_cast<std::int32_t>(login.where.port));
    out.maybe(login.credentials.user);
    out.maybe(login.credentials.password);
    out.maybe(login.credentials.domain);
    return out.finish();
}

std::optional<Login> parseLogin(std::string_view payload) {
    Reader in(payload, kLogin);
    Login login;
    login.where.host = in.text();
    login.where.port = in.number<std::int32_t>();
    login.credentials.user = in.maybe();
    login.credentials.password = in.maybe();
    login.credentials.domain = in.maybe();
    if (!in.done()) return std::nullopt;
    return login;
}

std::string requestFrame(const std::string& url) {
    Writer out(kRequest);
    out.text(url);
    return out.finish();
}

std::optional<std::string> parseRequest(std::string_view payload) {
    Reader in(payload, kRequest);
    std::string url = in.text();
    if (!in.done()) return std::nullopt;
    return url;
}

std::string directoryFrame(const Directory& dir) {
    Writer out(kDirectory);
    out.number(static_cast<std::int32_t>(dir.error));
    out.number(dir.self.device);
    out.number(dir.self.inode);
    out.number(static_cast<std::uint8_t>(dir.self.known));
    out.number(static_cast<std::uint32_t>(dir.entries.size()));
    for (std::size_t i = 0; i < dir.entries.size(); ++i) {
        out.text(dir.entries[i].name);
        out.number(static_cast<std::uint8_t>(dir.entries[i].kind));
        out.number(dir.entries[i].foundAttributes);
        out.number(dir.facts[i].size);
        out.number(dir.facts[i].modified);
        out.number(dir.attributes[i]);
    }
    return out.finish();
}

std::optional<Directory> parseDirectory(std::string_view payload) {
    Reader in(payload, kDirectory);
    Directory dir;
    dir.error = in.number<std::int32_t>();
    dir.self.device = in.number<std::uint64_t>();
    dir.self.inode = in.number<std::uint64_t>();
    dir.self.known = in.number<std::uint8_t>() != 0;
    const auto count = in.number<std::uint32_t>();
    // Each entry takes at least this many bytes: a count beyond what the
    // payload can hold is a broken frame, not a reason to reserve gigabytes.
    constexpr std::size_t kSmallestEntry = 4 + 1 + 4 + 8 + 8 + 8;
    if (count > payload.size() / kSmallestEntry) return std::nullopt;
    dir.entries.reserve(count);
    dir.facts.reserve(count);
    dir.attributes.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        FolderEntry entry;
        entry.name = in.text();
        entry.kind = in.number<std::uint8_t>() != 0 ? EntryKind::Folder : EntryKind::File;
        entry.foundAttributes = in.number<std::uint32_t>();
        FileFacts facts;
        facts.size = in.number<std::int64_t>();
        facts.modified = in.number<double>();
        dir.entries.push_back(std::move(entry));
        dir.facts.push_back(facts);
        dir.attributes.push_back(in.number<std::int64_t>());
    }
    if (!in.done()) return std::nullopt;
    return dir;
}

bool takeFrame(std::string& buffer, std::string& payload) {
    std::uint32_t length = 0;
    if (buffer.size() < sizeof length) return false;
    std::memcpy(&length, buffer.data(), sizeof length);
    if (buffer.size() - sizeof length < length) return false;
    payload.assign(buffer, sizeof length, length);
    buffer.erase(0, sizeof length + length);
    return true;
}

}  // namespace quillory::smb::wire
