#include <gtest/gtest.h>

#include "support/scoped_env.h"

#include "settings/store.h"

namespace quillory {
namespace {

struct PathRow {
    const char* name;
    const char* override;  // QUILLORY_SETTINGS
    const char* config;    // XDG_CONFIG_HOME
    const char* home;
    const char* expected;
};

const PathRow kPathRows[] = {
    {"override wins", "/tmp/q/store.db", "/cfg", "/home/u", "/tmp/q/store.db"},
    {"override may be relative", "store.db", "/cfg", "/home/u", "store.db"},
    {"empty override is unset", "", "/cfg", "/home/u", "/cfg/Tallyfold/settings.sqlite"},
    {"config folder", nullptr, "/cfg", "/home/u", "/cfg/Tallyfold/settings.sqlite"},
    {"no config folder", nullptr, nullptr, "/home/u", "/home/u/.config/Tallyfold/settings.sqlite"},
    {"relative config folder is ignored", nullptr, "cfg", "/home/u",
     "/home/u/.config/Tallyfold/settings.sqlite"},
};

TEST(SettingsStorePath, EnvironmentChoosesTheFile) {
    for (const PathRow& row : kPathRows) {
        test::ScopedEnv override("QUILLORY_SETTINGS", row.override);
        test::ScopedEnv config("XDG_CONFIG_HOME", row.config);
        test::ScopedEnv home("HOME", row.home);
        EXPECT_EQ(settingsStorePath(), row.expected) << row.name;
    }
}

}  // namespace
}  // namespace quillory
