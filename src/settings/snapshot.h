#pragma once
// One moment's values of the settings store, never changed after it is made.
// A consumer that derives something from settings (compiled patterns, the
// listing options) keeps it while it holds the same snapshot, or while the
// generation stays the same.
#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "settings/key_table.h"

namespace quillory {

// One look-up key for application, section and key, names lower-cased (ASCII
// only: names are bytes). Each name is preceded by its length, so that no
// choice of bytes inside a name can make two addresses collide.
std::string settingAddress(std::string_view app, std::string_view section, std::string_view key);

class SettingsSnapshot {
public:
    // `rows`: every stored value by settingAddress(); `nowText`: what a
    // date-time key that is not stored answers.
    SettingsSnapshot(std::unordered_map<std::string, std::string> rows, std::uint64_t generation,
                     const std::string& nowText);

    // The stored text, even when empty; the key's default when not stored.
    // A key that is not a table entry has no default here: "" when not stored.
    const std::string& value(const SettingKey& key) const;
    bool stored(const SettingKey& key) const;
    // The stored text by names, null when absent.
    const std::string* find(std::string_view app, std::string_view section, std::string_view key) const;
    // True when some value is the current date and time, which goes stale.
    bool showsNow() const { return m_showsNow; }

    // Differs between any two snapshots whose values may differ.
    const std::uint64_t generation;

private:
    std::unordered_map<std::string, std::string> m_rows;
    std::array<std::string, kAllKeys.size()> m_values;
    std::bitset<kAllKeys.size()> m_stored;
    bool m_showsNow = false;
};

// The key's position in the table when it is a table entry (or a copy of
// one); kAllKeys.size() otherwise.
std::size_t tableIndex(const SettingKey& key);

}  // namespace quillory
