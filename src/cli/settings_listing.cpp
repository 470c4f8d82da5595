#include "cli/settings_listing.h"

#include "cli/exit_status.h"
#include "text/regional.h"

namespace quillory::cli {

std::string escapedValue(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (const char c : value) {
        if (c == '\n') escaped += "\\n";
        else if (c == '\r') escaped += "\\r";
        else if (c == '\\') escaped += "\\\\";
        else escaped += c;
    }
    return escaped;
}

int listSettings(SettingsStore& store, bool defaultsOnly, StandardOutput& out) {
    const auto values = store.snapshot();
    const std::string now = generalDateText(nowDateTime());
    for (const SettingKey* key : kAllKeys) {
        std::string line = std::string(key->section) + "/" + std::string(key->name) + "=";
        if (defaultsOnly) {
            line += key->defaultIsNow() ? now : std::string(key->def);
        } else {
            line += escapedValue(values->stored(*key) ? values->value(*key)
                                 : key->defaultIsNow() ? now
                                                       : std::string(key->def));
            if (!values->stored(*key)) line += "  [default]  ";
            else if (key->defaultIsNow()) line += "  [set; default: the current time]  ";
            else line += "  [set; default: " + std::string(key->def.empty() ? "(empty)" : key->def) + "]  ";
            line += key->meaning;
        }
        out.write(line + "\n");
    }
    return kOk;
}

}  // namespace quillory::cli
