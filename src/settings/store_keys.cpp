// The key-table shorthands of SettingsStore.
#include "text/regional.h"
#include "settings/store.h"

namespace quillory {

std::string SettingsStore::read(const SettingKey& key) {
    const std::shared_ptr<const SettingsSnapshot> values = snapshot();
    if (values->stored(key)) return values->value(key);
    // The current time is formatted only when nothing is stored.
    return key.defaultIsNow() ? generalDateText(nowDateTime()) : std::string(key.def);
}

std::string SettingsStore::read(const SettingKey& key, std::string_view def) {
    const std::shared_ptr<const SettingsSnapshot> values = snapshot();
    return values->stored(key) ? values->value(key) : std::string(def);
}

Status SettingsStore::write(const SettingKey& key, std::string_view value) {
    return WriteSetting(kAppName, key.section, key.name, value);
}

}  // namespace quillory
