// Key paths: the root named before the first separator, the rest below it,
// and a removal that never reaches outside the root.
#include <gtest/gtest.h>

#include <filesystem>

#include "shell/registry_path.h"
#include "verb_home.h"

namespace quillory::shell {
namespace {

TEST(RegistryPath, RootAndSubKey) {
    test::VerbHome home;
    const std::string data = home.dir() / "home/data";
    struct Row {
        const char* name;
        const char* keyPath;
        std::string root;
        std::string subKey;
    };
    const Row rows[] = {
        {"ClassesRoot", "HKCR/nemo/actions/a.nemo_action", data, "nemo/actions/a.nemo_action"},
        {"AnyCase", "hkcr/x", data, "x"},
        {"OtherRoot", "HKLM/x", "", "x"},
        {"NoSeparator", "HKCR", data, ""},
        {"Empty", "", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(getRootKey(row.keyPath), row.root);
        EXPECT_EQ(getSubKey(row.keyPath), row.subKey);
    }
}

TEST(RegistryPath, DataFolderDefaultsBelowHome) {
    test::VerbHome home;
    test::ScopedEnv unset("XDG_DATA_HOME", nullptr);
    test::ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(getRootKey("HKCR/x"), home.dir() / "home/.local/share");
    EXPECT_EQ(userConfigFolder(), home.dir() / "home/.config");
}

TEST(RegistryPath, DeleteRemovesTheKeyWithEverythingBelowAndNothingElse) {
    test::VerbHome home;
    home.dir().file("home/data/menus/verb/command/extra");
    home.dir().file("home/data/menus/other");
    home.dir().file("home/outside");
    EXPECT_EQ(deleteRegKey("HKCR/menus/verb"), 0);
    EXPECT_FALSE(std::filesystem::exists(home.data("menus/verb")));
    EXPECT_TRUE(std::filesystem::exists(home.data("menus/other")));

    for (const char* refused : {"HKCR", "HKCR/", "HKCR/../outside", "HKCR//home", "HKLM/menus", "HKCR/missing"})
        EXPECT_EQ(deleteRegKey(refused), 0) << refused;
    EXPECT_TRUE(std::filesystem::exists(home.data("menus/other")));
    EXPECT_TRUE(std::filesystem::exists(home.dir() / "home/outside"));
}

}  // namespace
}  // namespace quillory::shell
