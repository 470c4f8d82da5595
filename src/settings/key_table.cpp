#include "settings/key_table.h"

#include <algorithm>
#include <cctype>

namespace quillory {

namespace {
bool sameWithoutCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}
}  // namespace

const SettingKey* findKey(std::string_view section, std::string_view name) {
    for (const SettingKey* key : kAllKeys)
        if (sameWithoutCase(key->section, section) && sameWithoutCase(key->name, name)) return key;
    return nullptr;
}

}  // namespace quillory
