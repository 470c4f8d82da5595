#include "settings/mapped_drives.h"

#include "settings/store.h"

namespace quillory {

namespace {

constexpr std::string_view kSection = "Drives";
constexpr std::string_view kAsk = "Ask";
constexpr std::string_view kEmpty = "Empty";

struct DriveKeys {
    std::string remote, user, password;
    explicit DriveKeys(char letter)
        : remote(1, letter), user(remote + "User"), password(remote + "Password") {}
};

// A key outside the option table, for SettingsStore::remove.
SettingKey looseKey(const std::string& name) {
    return SettingKey{kAllKeys.size(), kSection, name, ValueRule::Text, "", {}, ""};
}

bool removeKey(SettingsStore& store, const std::string& name) { return store.remove(looseKey(name)); }

}  // namespace

std::optional<MappedDrive> readMappedDrive(SettingsStore& store, char letter) {
    const auto values = store.snapshot();
    const DriveKeys keys(letter);
    const std::string* remote = values->find(kAppKey, kSection, keys.remote);
    if (!remote || remote->empty()) return std::nullopt;
    MappedDrive drive{letter, *remote, std::nullopt, PasswordSource::Own};
    if (const std::string* user = values->find(kAppKey, kSection, keys.user)) drive.user = *user;
    if (const std::string* password = values->find(kAppKey, kSection, keys.password)) {
        if (*password == kAsk) drive.password = PasswordSource::Ask;
        else if (*password == kEmpty) drive.password = PasswordSource::Empty;
    }
    return drive;
}

std::vector<MappedDrive> readMappedDrives(SettingsStore& store) {
    std::vector<MappedDrive> drives;
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        if (auto drive = readMappedDrive(store, letter)) drives.push_back(std::move(*drive));
    return drives;
}

// The share goes in last and out first, so that a write cut short leaves
// no mapping with someone else's user name.
bool writeMappedDrive(SettingsStore& store, const MappedDrive& drive) {
    const DriveKeys keys(drive.letter);
    bool ok = drive.user ? store.WriteSetting(kAppKey, kSection, keys.user, *drive.user) : removeKey(store, keys.user);
    switch (drive.password) {
    case PasswordSource::Own: ok = removeKey(store, keys.password) && ok; break;
    case PasswordSource::Empty: ok = store.WriteSetting(kAppKey, kSection, keys.password, kEmpty) && ok; break;
    case PasswordSource::Ask: ok = store.WriteSetting(kAppKey, kSection, keys.password, kAsk) && ok; break;
    }
    return ok && store.WriteSetting(kAppKey, kSection, keys.remote, drive.remote);
}

bool forgetMappedDrive(SettingsStore& store, char letter) {
    const DriveKeys keys(letter);
    const bool gone = removeKey(store, keys.remote);
    const bool userGone = removeKey(store, keys.user);
    const bool passwordGone = removeKey(store, keys.password);
    return gone && userGone && passwordGone;
}

}  // namespace quillory
