// Several quillory-list --set at once on a store that does not exist yet:
// every one of them must be stored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_process.h"
#include "support/temp_dir.h"

#include "settings/store.h"

namespace quillory {
namespace {

TEST(SettingsStoreFirstUse, SimultaneousFirstWritesAllSucceed) {
    const SettingKey* written[] = {&keys::NameStr, &keys::ExtStr, &keys::TypeStr, &keys::SizeStr};
    for (int round = 0; round < 8; ++round) {
        test::TempDir dir;
        const std::string path = dir / "Tallyfold/settings.sqlite";
        std::vector<int> pids;
        for (const SettingKey* key : written) {
            const std::string assignment = std::string(key->section) + "/" + std::string(key->name) + "=v";
            pids.push_back(test::startProcess({QUILLORY_LIST_EXE, "--set", assignment},
                                              {"QUILLORY_SETTINGS=" + path}));
        }
        for (const int pid : pids) EXPECT_EQ(test::waitProcess(pid), 0) << "round " << round;
        SettingsStore store(path);
        for (const SettingKey* key : written) EXPECT_EQ(store.read(*key), "v") << "round " << round;
    }
}

}  // namespace
}  // namespace quillory
