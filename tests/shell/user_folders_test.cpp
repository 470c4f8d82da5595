// The XDG folders the verb's files go to: an absolute variable wins, anything
// else falls back below the home folder.
#include <gtest/gtest.h>

#include "shell/user_folders.h"
#include "verb_home.h"

namespace quillory::shell {
namespace {

TEST(UserFolders, VariablesOrTheirDefaultsBelowHome) {
    test::VerbHome home;
    EXPECT_EQ(userDataFolder(), home.dir() / "home/data");
    test::ScopedEnv unset("XDG_DATA_HOME", nullptr);
    test::ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(userDataFolder(), home.dir() / "home/.local/share");
    EXPECT_EQ(userConfigFolder(), home.dir() / "home/.config");
}

}  // namespace
}  // namespace quillory::shell
