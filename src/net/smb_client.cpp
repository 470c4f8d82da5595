#include "net/smb_client.h"

#include <netdb.h>
#include <string.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "net/directory_query_watch.h"
#include "net/smbclient_library.h"
#include "platform/secret_guard.h"

namespace quillory {

void wipe(SmbCredentials& credentials) {
    if (credentials.password) wipeSecret(*credentials.password);
    credentials.password.reset();
}

}  // namespace quillory

namespace quillory::smb {

namespace {

// The library is loaded once a Client exists (create() checks it).
const SmbClientLibrary& api() { return *smbClientLibrary(); }

constexpr std::uint16_t kDirectoryAttribute = 0x10;
// What a Windows directory search calls a file with no other attribute; no
// letter stands for it, and it does not keep a file out of a listing here.
constexpr std::uint16_t kNormalWord = 0x80;

bool serverGone(int error) {
    switch (error) {
        case ECONNREFUSED:
        case ECONNRESET:
        case ECONNABORTED:
        case ETIMEDOUT:
        case EHOSTUNREACH:
        case ENETUNREACH:
        case ENOTCONN:
        case EPIPE:
            return true;
        default:
            return false;
    }
}

bool resolvable(const std::string& host) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int result = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (found) ::freeaddrinfo(found);
    return result == 0;
}

// At most `length` bytes with the terminating NUL; the library's buffers are
// small and fixed.
void fill(char* buffer, int length, const std::optional<std::string>& value) {
    if (!value || length <= 0) return;
    const std::size_t room = static_cast<std::size_t>(length) - 1;
    const std::size_t n = value->size() < room ? value->size() : room;
    std::memcpy(buffer, value->data(), n);
    buffer[n] = '\0';
}

class OpenDirectory {
public:
    OpenDirectory(SMBCCTX* context, const std::string& url)
        : m_context(context), m_dir(api().getFunctionOpendir(context)(context, url.c_str())) {
        if (!m_dir) m_error = errno ? errno : EIO;
    }
    ~OpenDirectory() {
        if (m_dir) api().getFunctionClosedir(m_context)(m_context, m_dir);
    }
    OpenDirectory(const OpenDirectory&) = delete;
    OpenDirectory& operator=(const OpenDirectory&) = delete;

    SMBCFILE* get() const { return m_dir; }
    int error() const { return m_error; }

private:
    SMBCCTX* m_context;
    SMBCFILE* m_dir;
    int m_error = 0;
};

}  // namespace

Client::Client(std::string host, const SmbCredentials& credentials)
    : m_host(std::move(host)), m_credentials(credentials) {}

std::unique_ptr<Client> Client::create(const ShareLocation& where, const SmbCredentials& credentials, int& error) {
    if (!smbClientLibrary()) {
        error = ELIBACC;
        return nullptr;
    }
    std::unique_ptr<Client> client(new Client(where.host, credentials));
    SMBCCTX* context = api().new_context();
    if (!context) {
        error = errno ? errno : ENOMEM;
        return nullptr;
    }
    // The listing may go to standard output: the library's messages must not.
    api().setDebug(context, 0);
    api().setOptionDebugToStderr(context, 1);
    api().setTimeout(context, kTimeoutMilliseconds);
    if (where.port != 0) api().setPort(context, static_cast<std::uint16_t>(where.port));
    api().setOptionUserData(context, client.get());
    api().setFunctionAuthDataWithContext(context, &Client::authenticate);
    if (!credentials.password) {
        // The user's own: a Kerberos ticket when there is one, else a plain
        // login by name and then the guest account.
        api().setOptionUseKerberos(context, 1);
        api().setOptionFallbackAfterKerberos(context, 1);
    } else {
        // A refused password is an answer; it must not turn into a guest login.
        api().setOptionNoAutoAnonymousLogin(context, 1);
    }
    if (!api().init_context(context)) {
        error = errno ? errno : EIO;
        api().free_context(context, 1);
        return nullptr;
    }
    client->m_context = context;
    error = 0;
    return client;
}

Client::~Client() {
    if (m_context) api().free_context(m_context, 1);
    wipe(m_credentials);
}

void Client::authenticate(SMBCCTX* context, const char*, const char*, char* workgroup, int workgroupLength, char* user,
                          int userLength, char* password, int passwordLength) {
    const auto* self = static_cast<const Client*>(api().getOptionUserData(context));
    if (!self) return;
    fill(workgroup, workgroupLength, self->m_credentials.domain);
    fill(user, userLength, self->m_credentials.user);
    fill(password, passwordLength, self->m_credentials.password);
}

int Client::failure(int error) {
    // The library answers a name it cannot resolve with EINVAL.
    if (error == EINVAL && !resolvable(m_host)) error = EHOSTUNREACH;
    if (serverGone(error)) m_serverGone = error;
    return error;
}

int Client::probe(const std::string& url) {
    if (m_serverGone) return m_serverGone;
    const OpenDirectory dir(m_context, url);
    return dir.get() ? 0 : failure(dir.error());
}

Directory Client::read(const std::string& url) {
    // A directory query the server failed is tried once more before the
    // folder counts as not read. The library keeps no such error: a failed
    // first query leaves no entry, which it calls a missing folder (Samba
    // lists "." in every folder, a share's root included), and a later one
    // ends the listing quietly, as if whole (see directory_query_watch.h).
    bool answered = false;
    Directory out = list(url, answered);
    if (out.error == ENOENT || out.error == EIO || (out.error == 0 && !answered)) {
        out = list(url, answered);
        if (out.error == 0 && !answered) out.error = EIO;
    }
    return out;
}

Directory Client::list(const std::string& url, bool& answered) {
    Directory out;
    if (m_serverGone) {
        out.error = m_serverGone;
        return out;
    }
    takeLostQueryFailure();
    const OpenDirectory dir(m_context, url);
    if (!dir.get()) {
        out.error = takeLostQueryFailure() ? EIO : failure(dir.error());
        return out;
    }
    // Only "." needs the stat form (its inode is the folder's identity); the
    // plain form spares two system calls per entry.
    const auto withStat = api().getFunctionReaddirPlus2(m_context);
    const auto plain = api().getFunctionReaddirPlus(m_context);
    struct stat st {};
    bool selfSeen = false;
    errno = 0;
    while (const libsmb_file_info* info = selfSeen ? plain(m_context, dir.get()) : withStat(m_context, dir.get(), &st)) {
        answered = true;
        const std::string_view name(info->name);
        if (name == "." && !selfSeen) {
            out.self = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino), st.st_ino != 0};
            selfSeen = true;
        }
        if (name == "." || name == "..") continue;
        const bool folder = (info->attrs & kDirectoryAttribute) != 0;
        const std::uint16_t word = info->attrs == kNormalWord ? 0 : info->attrs;
        out.entries.push_back({std::string(name), folder ? EntryKind::Folder : EntryKind::File, word});
        out.facts.push_back({static_cast<std::int64_t>(info->size), m_times.dateTime(info->mtime_ts.tv_sec)});
        out.attributes.push_back(word);
        errno = 0;
    }
    // The end of the listing leaves errno alone; anything else (ENOENT
    // included: the stat form's own failures) means entries were left out.
    const int error = errno;
    if (takeLostQueryFailure()) {
        out = Directory{};
        out.error = EIO;
    } else if (error != 0) {
        out = Directory{};
        out.error = failure(error);
    }
    return out;
}

}  // namespace quillory::smb
