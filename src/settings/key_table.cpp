#include "settings/key_table.h"

#include "text/ascii_case.h"

namespace quillory {

const SettingKey* findKey(std::string_view section, std::string_view name) {
    for (const SettingKey* key : kAllKeys)
        if (equalWithoutCase(key->section, section) && equalWithoutCase(key->name, name)) return key;
    return nullptr;
}

}  // namespace quillory
