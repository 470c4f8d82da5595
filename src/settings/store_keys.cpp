// The key-table shorthands of SettingsStore. Kept apart from the SQLite side
// because the date-time defaults need the regional formats.
#include "platform/regional.h"
#include "settings/store.h"

namespace quillory {

std::string SettingsStore::read(const SettingKey& key) {
    if (std::optional<std::string> stored = lookup(key)) return std::move(*stored);
    // The current time is formatted only when nothing is stored.
    return key.defaultIsNow ? generalDateText(nowDateTime()) : std::string(key.def);
}

std::string SettingsStore::read(const SettingKey& key, std::string_view def) {
    if (std::optional<std::string> stored = lookup(key)) return std::move(*stored);
    return std::string(def);
}

bool SettingsStore::write(const SettingKey& key, std::string_view value) {
    return WriteSetting(kAppKey, key.section, key.name, value);
}

}  // namespace quillory
