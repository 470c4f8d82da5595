#pragma once
// One mapped drive letter as the program remembers it, and the table that
// remembers them. The table lives in the settings store (settings/
// mapped_drives.h implements it); the share service sees only this interface.
// The password itself is never part of a record.
#include <optional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace quillory {

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

class MappingTable {
public:
    virtual ~MappingTable() = default;
    // The stored mappings, by letter. A record without its share is no mapping.
    virtual std::vector<MappedDrive> all() = 0;
    virtual std::optional<MappedDrive> find(char letter) = 0;
    // A failure says why the table could not be written.
    virtual Status write(const MappedDrive& drive) = 0;
    virtual Status forget(char letter) = 0;
};

}  // namespace quillory
