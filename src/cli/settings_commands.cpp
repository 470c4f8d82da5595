#include "cli/settings_commands.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/exit_status.h"
#include "cli/shown_name.h"
#include "settings/typed_value.h"
#include "settings/values.h"

namespace quillory::cli {

namespace {

using Values = std::vector<std::pair<const SettingKey*, std::string>>;

// The values one assignment stores: the checked text, and for an order key
// switched on, the other five switched off, as every writer of the group does.
std::optional<Values> valuesToStore(const Assignment& assignment, bool force) {
    const SettingKey& key = *assignment.key;
    if (force) return Values{{&key, assignment.value}};
    CheckedValue checked = checkTypedValue(key, assignment.value);
    if (!checked.ok) {
        std::fprintf(stderr, "quillory-list: %s\n", checked.problem.c_str());
        return std::nullopt;
    }
    const bool inOrderGroup = std::find(kOrderGroup.begin(), kOrderGroup.end(), &key) != kOrderGroup.end();
    if (!inOrderGroup || checked.text != "1") return Values{{&key, std::move(checked.text)}};
    Values group;
    for (const SettingKey* member : kOrderGroup) group.emplace_back(member, boolToFlag(member == &key));
    return group;
}

// What was not stored, and why: the store's own reason.
int writeFailed(SettingsStore& store, const std::string& what) {
    const StoreStatus status = store.status();
    const std::string why = status.detail.empty() ? "it cannot be written" : status.detail;
    std::fprintf(stderr, "quillory-list: %s: settings store %s cannot be written (%s)\n", what.c_str(),
                 shownName(store.path()).c_str(), shownName(why).c_str());
    return kFailed;
}

std::string keyPath(const SettingKey& key) { return std::string(key.section) + "/" + std::string(key.name); }

}  // namespace

int getSetting(SettingsStore& store, const SettingKey& key, StandardOutput& out) {
    out.write(store.read(key));
    out.write("\n");
    return kOk;
}

int setSetting(SettingsStore& store, const Assignment& assignment, bool force) {
    const std::optional<Values> values = valuesToStore(assignment, force);
    if (!values) return kUsage;
    for (const auto& [key, text] : *values)
        if (!store.write(*key, text)) return writeFailed(store, keyPath(*assignment.key) + " was not stored");
    return kOk;
}

int resetSetting(SettingsStore& store, const SettingKey& key) {
    return store.remove(key) ? kOk : writeFailed(store, keyPath(key) + " was not reset");
}

int resetAllSettings(SettingsStore& store, bool confirmed) {
    if (!confirmed) {
        if (::isatty(STDIN_FILENO) != 1) {
            std::fputs("quillory-list: --reset-all removes every stored setting; add --yes to do it\n", stderr);
            return kUsage;
        }
        std::fputs("Return every setting to its default? [y/N] ", stderr);
        std::fflush(stderr);
        char answer[16] = {};
        if (!std::fgets(answer, sizeof answer, stdin) || (answer[0] != 'y' && answer[0] != 'Y')) {
            std::fputs("quillory-list: nothing was reset\n", stderr);
            return kUsage;
        }
    }
    return store.removeAll() ? kOk : writeFailed(store, "nothing was reset");
}

bool applyOverrides(SettingsStore& store, std::span<const Assignment> overrides, bool force) {
    for (const Assignment& assignment : overrides) {
        const std::optional<Values> values = valuesToStore(assignment, force);
        if (!values) return false;
        for (const auto& [key, text] : *values) store.setOverride(*key, text);
    }
    return true;
}

}  // namespace quillory::cli
