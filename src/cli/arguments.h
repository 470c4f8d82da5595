#pragma once
// The command line of quillory-list, read into one plain value. Only the
// shape is checked here; values are checked against their keys later.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/key_table.h"

namespace quillory::cli {

enum class Command { Help, Version, List, Get, Set, Reset, ResetAll, ListSettings };

// Section/Key=Value as typed, the key found in the table.
struct Assignment {
    const SettingKey* key = nullptr;
    std::string value;
};

struct Arguments {
    Command command = Command::List;
    std::string folder;          // List
    std::string output;          // -o; "" or "-" is standard output
    std::string authFile;        // --auth-file: credentials for a share
    bool csv = false;
    bool escape = false;
    bool force = false;          // --set and -D store the text unchanged
    bool yes = false;            // --reset-all without asking
    bool defaults = false;       // --list-settings shows the defaults alone
    const SettingKey* key = nullptr;  // Get, Reset; Set through `assignment`
    Assignment assignment;       // Set
    std::vector<Assignment> overrides;  // -D, in order
};

struct ParsedArguments {
    bool ok = false;
    Arguments args;
    std::string problem;  // one line, when not ok
};

ParsedArguments parseArguments(std::span<const std::string_view> args);

// "Section/Key" from the table, matched without case; null when unknown.
const SettingKey* keyFromPath(std::string_view path);

}  // namespace quillory::cli
