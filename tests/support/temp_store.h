#pragma once
// A real settings store in a temp folder, for one test.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "settings/store.h"
#include "support/temp_dir.h"

namespace quillory::test {

// The stored text under names as given (matched without case); `def` when absent.
inline std::string storedText(SettingsStore& store, std::string_view app, std::string_view section,
                              std::string_view key, std::string_view def = {}) {
    const std::string* stored = store.snapshot()->find(app, section, key);
    return stored ? *stored : std::string(def);
}

struct TempStore {
    TempDir dir;
    SettingsStore store{dir / "settings.sqlite"};
    void set(const SettingKey& key, std::string_view value) { ASSERT_TRUE(store.write(key, value)) << key.name; }
};

}  // namespace quillory::test
