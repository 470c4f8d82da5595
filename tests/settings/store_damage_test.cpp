// A store that is damaged or cannot be written: the program goes on with
// defaults, keeps the damaged file aside, and a failed write changes nothing.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/unprivileged.h"
#include "support/temp_dir.h"

#include "settings/store.h"

namespace quillory {
namespace {

namespace fs = std::filesystem;

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The names in `dir` that start with `prefix`.
std::vector<std::string> namesStartingWith(const std::string& dir, const std::string& prefix) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix)) names.push_back(name);
    }
    return names;
}

// A real store whose one table page is overwritten with noise.
std::string damagedDatabase(const test::TempDir& dir) {
    const std::string scratch = dir / "scratch.sqlite";
    sqlite3* db = nullptr;
    sqlite3_open(scratch.c_str(), &db);
    sqlite3_exec(db,
                 "PRAGMA journal_mode=DELETE; CREATE TABLE setting(app BLOB NOT NULL,"
                 " section BLOB NOT NULL, name BLOB NOT NULL, value BLOB NOT NULL,"
                 " PRIMARY KEY(app, section, name)) WITHOUT ROWID;"
                 " INSERT INTO setting VALUES('tallyfold','filter','fileinclude','x');",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    std::string bytes = readBytes(scratch);
    const std::size_t pageSize = 4096;
    for (std::size_t i = pageSize; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 13);
    return bytes;
}

struct DamageRow {
    const char* name;
    std::string bytes;
};

TEST(SettingsStoreDamage, DamagedFileIsMovedAsideAndDefaultsApply) {
    test::TempDir sample;
    const DamageRow rows[] = {
        {"text", "this is not a settings store\n"},
        {"binary noise", std::string(8192, '\xa5')},
        {"header then noise", std::string("SQLite format 3\0", 16) + std::string(4080, '\x7f')},
        {"damaged table page", damagedDatabase(sample)},
    };
    for (const DamageRow& row : rows) {
        test::TempDir dir;
        const std::string path = dir / "settings.sqlite";
        writeBytes(path, row.bytes);

        testing::internal::CaptureStderr();
        SettingsStore store(path);
        const std::string warning = testing::internal::GetCapturedStderr();

        const auto aside = namesStartingWith(dir.path(), "settings.sqlite.corrupt-");
        ASSERT_EQ(aside.size(), 1u) << row.name;
        EXPECT_TRUE(readBytes(dir / aside[0]) == row.bytes) << row.name << ": kept unchanged";
        EXPECT_EQ(aside[0].size(), std::string("settings.sqlite.corrupt-20240101-120000").size())
            << row.name;
        EXPECT_NE(warning.find(path), std::string::npos) << row.name << ": " << warning;
        EXPECT_NE(warning.find(aside[0]), std::string::npos) << row.name << ": " << warning;
        EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1) << row.name << ": " << warning;

        EXPECT_EQ(store.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "*") << row.name;
        EXPECT_TRUE(store.WriteSetting("Tallyfold", "Filter", "FileInclude", "*.c")) << row.name;
        SettingsStore reopened(path);
        EXPECT_EQ(reopened.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "*.c") << row.name;
    }
}

TEST(SettingsStoreDamage, EmptyFileIsAFreshStore) {
    test::TempDir dir;
    const std::string path = dir.file("settings.sqlite");
    testing::internal::CaptureStderr();
    SettingsStore store(path);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(namesStartingWith(dir.path(), "settings.sqlite.corrupt-").empty());
    EXPECT_TRUE(store.WriteSetting("Tallyfold", "Output", "Recurse", "No"));
    EXPECT_EQ(store.ReadSetting("Tallyfold", "Output", "Recurse", "Infinite"), "No");
}

TEST(SettingsStoreDamage, SecondDamageInOneSecondKeepsBothFiles) {
    test::TempDir dir;
    const std::string path = dir / "settings.sqlite";
    testing::internal::CaptureStderr();
    writeBytes(path, "first damage");
    { SettingsStore store(path); }
    writeBytes(path, "second damage");
    { SettingsStore store(path); }
    testing::internal::GetCapturedStderr();
    const auto aside = namesStartingWith(dir.path(), "settings.sqlite.corrupt-");
    ASSERT_EQ(aside.size(), 2u);
    EXPECT_TRUE(readBytes(dir / aside[0]) != readBytes(dir / aside[1]));
}

TEST(SettingsStoreDamage, MissingFoldersAreCreated) {
    test::TempDir dir;
    SettingsStore store(dir / "a/b/Tallyfold/settings.sqlite");
    EXPECT_TRUE(store.WriteSetting("Tallyfold", "Output", "Browser", "0"));
    EXPECT_TRUE(fs::is_regular_file(dir / "a/b/Tallyfold/settings.sqlite"));
}

// A folder that is a file cannot hold the store, for root as for anyone.
TEST(SettingsStoreDamage, NoUsableFileGivesDefaultsAndFailingWrites) {
    test::TempDir dir;
    const std::string blocker = dir.file("not-a-folder");
    SettingsStore store(blocker + "/settings.sqlite");
    const auto generation = store.generation();
    EXPECT_EQ(store.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "*");
    EXPECT_FALSE(store.WriteSetting("Tallyfold", "Filter", "FileInclude", "*.c"));
    EXPECT_EQ(store.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "*");
    EXPECT_EQ(store.read(keys::NameWidth), "35");
    EXPECT_EQ(store.generation(), generation);
    { SettingsStore::FolderScope folder(store); }
    EXPECT_EQ(store.ReadSetting("Tallyfold", "Filter", "FileInclude"), "");
}

// Makes every file of this process unable to grow, as a full disk does; root
// is bound by it too. The old limit and signal action come back at the end.
class FileGrowthBlocked {
public:
    FileGrowthBlocked() {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldAction = std::signal(SIGXFSZ, SIG_IGN);
        rlimit none = m_old;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~FileGrowthBlocked() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldAction);
    }

private:
    rlimit m_old{};
    void (*m_oldAction)(int) = nullptr;
};

TEST(SettingsStoreDamage, FullDiskFailsTheWriteAndKeepsTheOldValue) {
    test::TempDir dir;
    SettingsStore store(dir / "settings.sqlite");
    ASSERT_TRUE(store.WriteSetting("Tallyfold", "Filter", "FileInclude", "old"));
    const auto generation = store.generation();
    {
        FileGrowthBlocked full;
        EXPECT_FALSE(store.WriteSetting("Tallyfold", "Filter", "FileInclude", std::string(20000, 'n')));
        EXPECT_EQ(store.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "old");
    }
    EXPECT_EQ(store.generation(), generation);
    EXPECT_EQ(store.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "old");
    SettingsStore other(dir / "settings.sqlite");
    EXPECT_EQ(other.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "old");
    EXPECT_TRUE(store.WriteSetting("Tallyfold", "Filter", "FileInclude", "new"));
    EXPECT_EQ(other.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "new");
}

TEST(SettingsStoreDamage, ReadOnlyStoreKeepsValuesReadable) {
    test::runUnprivileged([] {
        test::TempDir dir;
        const std::string folder = dir.folder("Tallyfold");
        const std::string path = folder + "/settings.sqlite";
        {
            SettingsStore store(path);
            ASSERT_TRUE(store.WriteSetting("Tallyfold", "Filter", "FileInclude", "old"));
        }
        ::chmod(path.c_str(), 0444);
        ::chmod(folder.c_str(), 0555);
        SettingsStore store(path);
        EXPECT_EQ(store.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "old");
        EXPECT_FALSE(store.WriteSetting("Tallyfold", "Filter", "FileInclude", "new"));
        EXPECT_EQ(store.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "old");
        EXPECT_TRUE(namesStartingWith(folder, "settings.sqlite.corrupt-").empty());
    });
}

}  // namespace
}  // namespace quillory
