// A value written by another store object or process, or a replaced file, is seen by the next read or snapshot.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "support/run_process.h"
#include "support/temp_dir.h"
#include "support/temp_store.h"

#include "settings/store.h"

namespace quillory {
namespace {

struct TwoStores {
    test::TempDir dir;
    std::string path = dir / "settings.sqlite";
    SettingsStore reader{path};
    SettingsStore writer{path};
};

// A walk's snapshot never changes; later writes show in the next one. Then the user removes the store
// (companions too) or puts another file in its place.
TEST(SettingsStoreFreshness, SnapshotsStayAndAReplacedOrRemovedFileIsNoticed) {
    TwoStores s;
    ASSERT_TRUE(s.reader.write(keys::FileInclude, "*.c"));
    const auto own = s.reader.snapshot();
    ASSERT_TRUE(s.writer.write(keys::FileExclude, "*.o"));
    ASSERT_TRUE(s.reader.write(keys::FileInclude, "*.h"));
    const auto later = s.reader.snapshot();
    EXPECT_EQ(own->value(keys::FileInclude), "*.c");
    EXPECT_EQ(own->value(keys::FileExclude), "");
    EXPECT_EQ(later->value(keys::FileInclude), "*.h");
    EXPECT_EQ(later->value(keys::FileExclude), "*.o");
    ASSERT_TRUE(s.writer.write(keys::FileInclude, "old file"));
    EXPECT_EQ(s.reader.read(keys::FileInclude), "old file");
    for (const char* suffix : {"", "-wal", "-shm"}) ::unlink((s.path + suffix).c_str());
    EXPECT_EQ(s.reader.read(keys::FileInclude), "*") << "removed";
    EXPECT_EQ(s.reader.status().state, StoreState::NotCreated);
    ASSERT_TRUE(SettingsStore(s.dir / "other.sqlite").write(keys::FileInclude, "new file"));
    ASSERT_EQ(std::rename((s.dir / "other.sqlite").c_str(), s.path.c_str()), 0);
    EXPECT_EQ(s.reader.read(keys::FileInclude), "new file") << "replaced";
    ASSERT_TRUE(s.reader.write(keys::FileExclude, "written there"));
    EXPECT_EQ(SettingsStore(s.path).read(keys::FileExclude), "written there");
}

// A walk on a worker thread takes snapshots while the window thread writes.
TEST(SettingsStoreFreshness, WorkerSnapshotsWhileWindowWrites) {
    test::TempStore t;
    SettingsStore& store = t.store;
    std::thread worker([&] {
        std::uint64_t last = 0;
        for (int i = 0; i < 300; ++i) {
            const auto now = store.snapshot();
            EXPECT_GE(now->generation, last);
            EXPECT_TRUE(now->value(keys::FileInclude) == "*" || now->value(keys::FileInclude).starts_with("w"));
            last = now->generation;
        }
    });
    for (int i = 0; i < 50; ++i) ASSERT_TRUE(store.write(keys::FileInclude, "w" + std::to_string(i)));
    worker.join();
    EXPECT_EQ(store.snapshot()->value(keys::FileInclude), "w49");
}

// Several processes create the store at once: none may fail or lose its value, and this one sees them all.
TEST(SettingsStoreFreshness, SimultaneousFirstWritesAllSucceed) {
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
