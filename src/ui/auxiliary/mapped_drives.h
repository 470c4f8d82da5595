#pragma once
// The mapped letters as the store keeps them, so that they outlive the
// program: section "Drives", per letter the share as typed ("Z"), the user
// name when one was given ("ZUser") and how the password is obtained
// ("ZPassword": "Ask" or "Empty"; absent for the user's own credentials).
// The password itself is never written anywhere.
#include <optional>
#include <string>
#include <vector>

namespace quillory {
class SettingsStore;
}

namespace quillory::ui {

enum class PasswordSource {
    Own,    // none given: the user's own credentials
    Empty,  // an empty password was given
    Ask,    // a password was given; ask for it again after a restart
};

struct MappedDrive {
    char letter = 0;  // C to Z
    std::string remote;
    std::optional<std::string> user;  // nullopt: the user's own
    PasswordSource password = PasswordSource::Own;
    bool operator==(const MappedDrive&) const = default;
};

// The stored mappings, by letter. A record without its share is no mapping.
std::vector<MappedDrive> readMappedDrives(SettingsStore& store);
std::optional<MappedDrive> readMappedDrive(SettingsStore& store, char letter);
// False when the store could not be written.
bool writeMappedDrive(SettingsStore& store, const MappedDrive& drive);
bool forgetMappedDrive(SettingsStore& store, char letter);

}  // namespace quillory::ui
