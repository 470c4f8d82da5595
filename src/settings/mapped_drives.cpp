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

Status removeKey(SettingsStore& store, const std::string& name) { return store.remove(looseKey(name)); }

// The first failure of several writes.
Status firstFailure(std::initializer_list<Status> results) {
    for (const Status& result : results)
        if (!result) return result;
    return Status::ok();
}

}  // namespace

std::optional<MappedDrive> readMappedDrive(SettingsStore& store, char letter) {
    const auto values = store.snapshot();
    const DriveKeys keys(letter);
    const std::string* remote = values->find(kAppName, kSection, keys.remote);
    if (!remote || remote->empty()) return std::nullopt;
    MappedDrive drive{letter, *remote, std::nullopt, PasswordSource::Own};
    if (const std::string* user = values->find(kAppName, kSection, keys.user)) drive.user = *user;
    if (const std::string* password = values->find(kAppName, kSection, keys.password)) {
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
Status writeMappedDrive(SettingsStore& store, const MappedDrive& drive) {
    const DriveKeys keys(drive.letter);
    const Status user =
        drive.user ? store.WriteSetting(kAppName, kSection, keys.user, *drive.user) : removeKey(store, keys.user);
    Status password;
    switch (drive.password) {
    case PasswordSource::Own: password = removeKey(store, keys.password); break;
    case PasswordSource::Empty: password = store.WriteSetting(kAppName, kSection, keys.password, kEmpty); break;
    case PasswordSource::Ask: password = store.WriteSetting(kAppName, kSection, keys.password, kAsk); break;
    }
    if (Status failure = firstFailure({user, password}); !failure) return failure;
    return store.WriteSetting(kAppName, kSection, keys.remote, drive.remote);
}

Status forgetMappedDrive(SettingsStore& store, char letter) {
    const DriveKeys keys(letter);
    const Status remote = removeKey(store, keys.remote);
    const Status user = removeKey(store, keys.user);
    const Status password = removeKey(store, keys.password);
    return firstFailure({remote, user, password});
}

}  // namespace quillory
