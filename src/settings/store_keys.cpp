// The key-table shorthands of SettingsStore. Kept apart from the SQLite side
// because the date-time defaults need the regional formats.
#include "platform/regional.h"
#include "settings/store.h"

namespace quillory {

std::string SettingsStore::read(const SettingKey& key) {
    if (!key.defaultIsNow) return ReadSetting(kAppKey, key.section, key.name, key.def);
    // The current time is formatted only when nothing is stored.
    if (std::optional<std::string> stored = lookup(key.section, key.name)) return std::move(*stored);
    return generalDateText(nowDateTime());
}

std::string SettingsStore::read(const SettingKey& key, std::string_view def) {
    return ReadSetting(kAppKey, key.section, key.name, def);
}

bool SettingsStore::write(const SettingKey& key, std::string_view value) {
    return WriteSetting(kAppKey, key.section, key.name, value);
}

}  // namespace quillory
