#pragma once
// The commands that read and change the settings store. Each returns the
// exit status and prints its own one-line messages; a change that could not
// be stored says so, with the reason, and gives kFailed.
#include <span>
#include <string_view>

#include "cli/arguments.h"
#include "cli/standard_output.h"
#include "settings/store.h"

namespace quillory::cli {

int getSetting(SettingsStore& store, const SettingKey& key, StandardOutput& out);
// Checked against the key's rule unless `force`.
int setSetting(SettingsStore& store, const Assignment& assignment, bool force);
int resetSetting(SettingsStore& store, const SettingKey& key);
// Asks on a terminal unless `confirmed`; refuses without one.
int resetAllSettings(SettingsStore& store, bool confirmed);
// -D: checked like --set, laid over the store and never written. False
// (with the reason printed) when a value is refused.
bool applyOverrides(SettingsStore& store, std::span<const Assignment> overrides, bool force);

}  // namespace quillory::cli
