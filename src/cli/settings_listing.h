#pragma once
// quillory-list --list-settings: one line per key of the table.
#include <string>
#include <string_view>

#include "cli/standard_output.h"
#include "settings/store.h"

namespace quillory::cli {

// Section/Key=value, then whether it is stored, its default and its meaning;
// with `defaultsOnly`, Section/Key=default alone.
int listSettings(SettingsStore& store, bool defaultsOnly, StandardOutput& out);

// A value on one line: newline, carriage return and backslash as \n, \r, \\.
std::string escapedValue(std::string_view value);

}  // namespace quillory::cli
