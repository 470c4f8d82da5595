#include "settings/snapshot.h"

#include <cstdint>

#include "text/ascii_case.h"

namespace quillory {

std::string settingAddress(std::string_view app, std::string_view section, std::string_view key) {
    std::string address;
    address.reserve(app.size() + section.size() + key.size() + 3 * sizeof(std::uint32_t));
    for (const std::string_view name : {app, section, key}) {
        const auto size = static_cast<std::uint32_t>(name.size());
        address.append(reinterpret_cast<const char*>(&size), sizeof size);
        for (const char c : name) address += asciiLower(c);
    }
    return address;
}

std::size_t tableIndex(const SettingKey& key) {
    if (key.index >= kAllKeys.size()) return kAllKeys.size();
    const SettingKey& entry = *kAllKeys[key.index];
    if (&entry == &key || (entry.section == key.section && entry.name == key.name)) return key.index;
    return kAllKeys.size();
}

SettingsSnapshot::SettingsSnapshot(std::unordered_map<std::string, std::string> rows, std::uint64_t gen,
                                   const std::string& nowText)
    : generation(gen), m_rows(std::move(rows)) {
    for (const SettingKey* key : kAllKeys) {
        const auto found = m_rows.find(settingAddress(kAppName, key->section, key->name));
        m_stored[key->index] = found != m_rows.end();
        if (found != m_rows.end()) {
            m_values[key->index] = found->second;
        } else if (key->defaultIsNow()) {
            m_values[key->index] = nowText;
            m_showsNow = true;
        } else {
            m_values[key->index] = key->def;
        }
    }
}

const std::string& SettingsSnapshot::value(const SettingKey& key) const {
    const std::size_t index = tableIndex(key);
    if (index < kAllKeys.size()) return m_values[index];
    static const std::string kNothing;
    const std::string* stored = find(kAppName, key.section, key.name);
    return stored ? *stored : kNothing;
}

bool SettingsSnapshot::stored(const SettingKey& key) const {
    const std::size_t index = tableIndex(key);
    if (index < kAllKeys.size()) return m_stored[index];
    return find(kAppName, key.section, key.name) != nullptr;
}

const std::string* SettingsSnapshot::find(std::string_view app, std::string_view section,
                                          std::string_view key) const {
    const auto found = m_rows.find(settingAddress(app, section, key));
    return found != m_rows.end() ? &found->second : nullptr;
}

}  // namespace quillory
