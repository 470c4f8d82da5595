#pragma once
// The mapped letters as the store keeps them, so that they outlive the
// program: section "Drives", per letter the share as typed ("Z"), the user
// name when one was given ("ZUser") and how the password is obtained
// ("ZPassword": "Ask" or "Empty"; absent for the user's own credentials).
// The password itself is never written anywhere.
#include <optional>
#include <string>
#include <vector>

#include "net/mapped_drive.h"

namespace quillory {

class SettingsStore;

// The stored mappings, by letter. A record without its share is no mapping.
std::vector<MappedDrive> readMappedDrives(SettingsStore& store);
std::optional<MappedDrive> readMappedDrive(SettingsStore& store, char letter);
// A failure says why the store could not be written.
Status writeMappedDrive(SettingsStore& store, const MappedDrive& drive);
Status forgetMappedDrive(SettingsStore& store, char letter);

// The table above, kept in `store`.
class StoredMappings : public MappingTable {
public:
    explicit StoredMappings(SettingsStore& store) : m_store(store) {}
    std::vector<MappedDrive> all() override { return readMappedDrives(m_store); }
    std::optional<MappedDrive> find(char letter) override { return readMappedDrive(m_store, letter); }
    Status write(const MappedDrive& drive) override { return writeMappedDrive(m_store, drive); }
    Status forget(char letter) override { return forgetMappedDrive(m_store, letter); }

private:
    SettingsStore& m_store;
};

}  // namespace quillory
