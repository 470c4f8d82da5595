#include "net/network_drives.h"

#include <algorithm>
#include <cerrno>

#include "platform/stop_token.h"

namespace quillory {

namespace {

// The root file system answers to C, as the system drive does elsewhere.
constexpr char kRootLetter = 'C';

PasswordSource passwordSource(const std::optional<std::string>& password) {
    if (!password) return PasswordSource::Own;
    return password->empty() ? PasswordSource::Empty : PasswordSource::Ask;
}

}  // namespace

NetworkDrives::NetworkDrives(MappingTable& table, PasswordPrompt* prompt, ShareAccess access)
    : m_table(table), m_prompt(prompt), m_access(std::move(access)) {}

NetworkDrives::~NetworkDrives() = default;

// The table is remembered; a mapping of this run fills in when the table
// could not take it, and lends its credentials while the store agrees on
// the share.
std::optional<NetworkDrives::Mapping> NetworkDrives::findMapping(char letter) const {
    std::optional<MappedDrive> stored = m_table.find(letter);
    const std::lock_guard lock(m_mutex);
    const auto session = m_session.find(letter);
    if (!stored) {
        if (session == m_session.end()) return std::nullopt;
        return session->second;
    }
    Mapping mapping{std::move(*stored), std::nullopt};
    if (session != m_session.end() && session->second.drive == mapping.drive)
        mapping.credentials = session->second.credentials;
    return mapping;
}

SmbCredentials NetworkDrives::credentialsFor(const Mapping& mapping) {
    if (mapping.credentials) return *mapping.credentials;
    const MappedDrive& drive = mapping.drive;
    SmbCredentials credentials{drive.user, std::nullopt, std::nullopt};
    if (drive.password == PasswordSource::Empty) credentials.password = std::string();
    if (drive.password != PasswordSource::Ask) return credentials;
    const std::optional<ShareLocation> where = parseSharePath(drive.remote);
    const SecretGuard asking;
    if (m_prompt)
        credentials.password =
            m_prompt->askPassword({drive.letter, drive.remote, where ? where->host : std::string(), drive.user});
    // Asked once per run: a password that opens the share is kept until exit.
    if (credentials.password && where && m_access.check(*where, credentials) == 0) {
        const std::lock_guard lock(m_mutex);
        m_session.insert_or_assign(drive.letter, Mapping{drive, credentials});
        guardSessionSecrets();
    }
    return credentials;
}

Status NetworkDrives::mapNetworkDrive(const std::string& drive, const std::string& remote,
                                      const std::optional<std::string>& user,
                                      const std::optional<std::string>& password) {
    const char letter = drive.empty() ? 0 : mappableLetter(drive[0]);
    if (!letter) return Status::error(EINVAL, "'" + drive + "' is no drive letter C to Z");
    if (letter == kRootLetter || findMapping(letter))
        return Status::error(EEXIST, std::string(1, letter) + ": is in use");
    const std::optional<ShareLocation> where = parseSharePath(remote);
    if (!where) return Status::error(EINVAL, "'" + remote + "' is not a share path");
    const SecretGuard checking;
    const SmbCredentials credentials{user, password, std::nullopt};
    if (const int result = m_access.check(*where, credentials); result != 0) return Status::fromErrno(result, remote);
    const MappedDrive mapped{letter, remote, user, passwordSource(password)};
    {
        const std::lock_guard lock(m_mutex);
        m_session.insert_or_assign(letter, Mapping{mapped, credentials});
        guardSessionSecrets();
    }
    (void)m_table.write(mapped);  // unremembered, it still serves this run
    return Status::ok();
}

bool NetworkDrives::unmapNetworkDrive(const std::string& drive) {
    const char letter = drive.empty() ? 0 : mappableLetter(drive[0]);
    if (!letter || !findMapping(letter)) return false;
    {
        const std::lock_guard lock(m_mutex);
        if (const auto found = m_session.find(letter); found != m_session.end()) {
            if (found->second.credentials && found->second.credentials->password)
                wipeSecret(*found->second.credentials->password);
            m_session.erase(found);
        }
        guardSessionSecrets();
    }
    return m_table.forget(letter).isOk();
}

void NetworkDrives::guardSessionSecrets() {
    const bool held = std::any_of(m_session.begin(), m_session.end(), [](const auto& entry) {
        const std::optional<SmbCredentials>& credentials = entry.second.credentials;
        return credentials && credentials->password && !credentials->password->empty();
    });
    if (held && !m_sessionSecrets) m_sessionSecrets.emplace();
    if (!held) m_sessionSecrets.reset();
}

DriveLetters NetworkDrives::usedLetters() const {
    DriveLetters letters;
    letters.insert(kRootLetter);
    for (const MappedDrive& drive : m_table.all()) letters.insert(drive.letter);
    const std::lock_guard lock(m_mutex);
    for (const auto& [letter, mapping] : m_session) letters.insert(letter);
    return letters;
}

std::string NetworkDrives::getFreeDriveLetter() const {
    const std::vector<char> free = freeDriveLetters(usedLetters());
    return free.empty() ? std::string() : std::string(1, free.back());
}

std::optional<NetworkFolder> NetworkDrives::resolve(const std::string& folder, StopToken* stop) {
    if (const std::optional<DrivePath> onDrive = parseDrivePath(folder)) {
        const char letter = mappableLetter(onDrive->letter);
        const std::optional<Mapping> mapping = letter ? findMapping(letter) : std::nullopt;
        const std::optional<ShareLocation> where = mapping ? parseSharePath(mapping->drive.remote) : std::nullopt;
        if (!where) return std::nullopt;
        const std::string root{onDrive->letter, ':'};
        NetworkFolder out;
        out.source = m_access.open(*where, credentialsFor(*mapping), stop, root + "/");
        out.path = root + "/" + onDrive->rest;
        out.NetworkRoot = root;
        return out;
    }
    // A share typed as such is read with the user's own credentials.
    Result<NetworkFolder> share = openShare(folder, SmbCredentials{}, nullptr, m_access, stop);
    if (!share) return std::nullopt;
    return std::move(*share);
}

}  // namespace quillory
