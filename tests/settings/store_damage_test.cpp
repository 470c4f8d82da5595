// A store damaged, missing, not a file or not writable: reads change nothing and answer defaults, the status
// says what is wrong, and only a write moves a damaged file aside.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "support/golden.h"
#include "support/run_process.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

#include "settings/store.h"

namespace quillory {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A real store whose table page is overwritten with noise.
std::string damagedDatabase(const test::TempDir& dir) {
    const std::string scratch = dir / "scratch.sqlite";
    EXPECT_TRUE(SettingsStore(scratch).write(keys::FileInclude, "x"));
    std::string bytes = test::readFile(scratch);
    for (std::size_t i = 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 13);
    return bytes;
}

TEST(SettingsStoreDamage, ReadingLeavesADamagedFileAloneAndAWriteMovesItAside) {
    test::TempDir sample;
    const std::pair<const char*, std::string> rows[] = {
        {"text", "root:x:0:0:root:/root:/bin/bash\n"},
        {"header then noise", std::string("SQLite format 3\0", 16) + std::string(4080, '\x7f')},
        {"damaged table page", damagedDatabase(sample)},
    };
    for (const auto& [name, bytes] : rows) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        const std::string path = dir / "settings.sqlite";
        test::writeFile(path, bytes);
        SettingsStore store(path);
        EXPECT_EQ(store.read(keys::Recurse), "Infinite");
        EXPECT_EQ(store.status().state, StoreState::Damaged);
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"settings.sqlite"});
        EXPECT_TRUE(test::readFile(path) == bytes);

        ASSERT_TRUE(store.write(keys::Recurse, "No"));
        const StoreStatus status = store.status();
        EXPECT_EQ(status.state, StoreState::MovedAside);
        EXPECT_TRUE(test::readFile(status.detail) == bytes) << "kept unchanged";
        EXPECT_EQ(fs::path(status.detail).filename().string().size(),
                  std::string("settings.sqlite.corrupt-20240101-120000").size());
        EXPECT_EQ(SettingsStore(path).read(keys::Recurse), "No");
    }
}

TEST(SettingsStoreDamage, SecondDamageInOneSecondKeepsBothFiles) {
    test::TempDir dir;
    const std::string path = dir / "settings.sqlite";
    for (const char* damage : {"first damage", "second damage"}) {
        test::writeFile(path, damage);
        EXPECT_TRUE(SettingsStore(path).write(keys::Recurse, "No"));
    }
    EXPECT_EQ(namesIn(dir.path()).size(), 3u);
}

// Through the command, under a time limit: a store that blocks must not hang it.
TEST(SettingsStoreDamage, NotARegularFileIsRefusedAtOnce) {
    const std::pair<const char*, const char*> rows[] = {
        {"link to /dev/null", "ln -s /dev/null settings.sqlite"}, {"fifo", "mkfifo settings.sqlite"},
        {"folder", "mkdir settings.sqlite"}, {"link to a fifo", "mkfifo fifo && ln -s \"$PWD/fifo\" settings.sqlite"},
    };
    for (const auto& [name, make] : rows) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        const std::string path = dir / "settings.sqlite";
        ASSERT_EQ(test::runProcess({"/bin/sh", "-c", std::string("cd \"$0\" && ") + make, dir.path()}).status, 0);
        const auto run = [&](const char* command, const char* argument) {
            return test::runProcess({"/usr/bin/timeout", "60", QUILLORY_LIST_EXE, command, argument},
                                    {"QUILLORY_SETTINGS=" + path});
        };
        const auto get = run("--get", "Output/Recurse");
        EXPECT_EQ(get.status, 0);
        EXPECT_EQ(get.out, "Infinite\n");
        EXPECT_EQ(get.err,
                  "quillory-list: settings store " + path + " cannot be used (not a regular file); using defaults\n");
        const auto set = run("--set", "Output/Recurse=No");
        EXPECT_EQ(set.status, 2) << set.err;
        EXPECT_EQ(set.err, "quillory-list: Output/Recurse was not stored: settings store " + path +
                               " cannot be written (not a regular file)\n");
    }
}

// Makes every file of this process unable to grow, as a full disk does, even for root.
struct FileGrowthBlocked {
    rlimit old{};
    void (*oldAction)(int) = std::signal(SIGXFSZ, SIG_IGN);
    FileGrowthBlocked() {
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit none{0, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~FileGrowthBlocked() {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldAction);
    }
};

TEST(SettingsStoreDamage, FullDiskFailsTheWriteAndKeepsTheOldValue) {
    test::TempDir dir;
    SettingsStore store(dir / "settings.sqlite");
    ASSERT_TRUE(store.write(keys::FileInclude, "old"));
    {
        FileGrowthBlocked full;
        EXPECT_FALSE(store.write(keys::FileInclude, std::string(20000, 'n')));
        EXPECT_EQ(store.read(keys::FileInclude), "old");
    }
    EXPECT_EQ(SettingsStore(dir / "settings.sqlite").read(keys::FileInclude), "old");
    EXPECT_TRUE(store.write(keys::FileInclude, "new"));
    EXPECT_EQ(store.read(keys::FileInclude), "new");
}

TEST(SettingsStoreDamage, ReadOnlyStoreKeepsValuesReadable) {
    test::runUnprivileged([] {
        test::TempDir dir;
        const std::string folder = dir.folder("Tallyfold");
        const std::string path = folder + "/settings.sqlite";
        ASSERT_TRUE(SettingsStore(path).write(keys::FileInclude, "old"));
        ::chmod(path.c_str(), 0444);
        ::chmod(folder.c_str(), 0555);
        SettingsStore store(path);
        EXPECT_EQ(store.read(keys::FileInclude), "old") << store.status().detail;
        EXPECT_TRUE(store.lastWriteFailure()) << "no write failed yet";
        const Status refused = store.write(keys::FileInclude, "new");
        EXPECT_EQ(store.status().state, StoreState::ReadOnly);
        EXPECT_EQ(refused.code(), EACCES);
        EXPECT_EQ(refused.message(), "settings store " + path + " cannot be written (" + store.status().detail + ")");
        EXPECT_EQ(store.lastWriteFailure().message(), refused.message());
        EXPECT_FALSE(store.remove(keys::FileInclude));
        EXPECT_EQ(store.read(keys::FileInclude), "old");
        EXPECT_EQ(namesIn(folder), std::vector<std::string>{"settings.sqlite"});
        // No file yet: the reason is the failed create's, not that of SQLite's read-only retry.
        SettingsStore noFile(dir.folder("none") + "/settings.sqlite");
        ::chmod((dir / "none").c_str(), 0555);
        EXPECT_FALSE(noFile.write(keys::FileInclude, "new"));
        EXPECT_EQ(noFile.status().detail, "Permission denied");
    });
}

}  // namespace
}  // namespace quillory
