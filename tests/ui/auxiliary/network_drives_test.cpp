// The drive table over a real store file; the shares are answered by a
// recorder (the live server's tests are in network_drives_smb_test.cpp).
#include "ui/auxiliary/network_drives.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "settings/store.h"
#include "support/temp_dir.h"
#include "ui/auxiliary/drive_share_recorder.h"

namespace quillory::ui {
namespace {

using namespace std::string_literals;
using test::ShareRecorder;

struct Asked {
    char letter;
    std::string remote;
    std::optional<std::string> user;
};

struct DriveTable {
    test::TempDir dir;
    std::string storePath = dir / "settings.sqlite";
    ShareRecorder shares;
    std::vector<Asked> asked;
    std::optional<std::string> answer;

    // A fresh table over the same store file: the program started anew.
    std::unique_ptr<NetworkDrives> start(SettingsStore& store) {
        return std::make_unique<NetworkDrives>(
            store,
            [this](char letter, const std::string& remote, const std::optional<std::string>& user) {
                asked.push_back({letter, remote, user});
                return answer;
            },
            shares.access());
    }
    std::string storeBytes() const {
        std::string bytes;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            std::ifstream in(entry.path(), std::ios::binary);
            bytes.append(std::istreambuf_iterator<char>(in), {});
        }
        return bytes;
    }
};

TEST(NetworkDrives, OnlyTheRootLetterIsInUseAtFirst) {
    DriveTable t;
    SettingsStore store(t.storePath);
    auto drives = t.start(store);
    EXPECT_EQ(drives->getDriveStrings(), "C:\\\0\0"s);
    EXPECT_EQ(drives->getFreeDriveLetter(), "Z");
    EXPECT_FALSE(std::filesystem::exists(t.storePath)) << "reading made the store";
}

TEST(NetworkDrives, MappedLettersAreInUse) {
    DriveTable t;
    SettingsStore store(t.storePath);
    auto drives = t.start(store);
    ASSERT_EQ(drives->mapNetworkDrive("z", "\\\\host\\share", std::nullopt, std::nullopt), 0);
    ASSERT_EQ(drives->mapNetworkDrive("F:", "smb://host/other", std::nullopt, std::nullopt), 0);
    EXPECT_EQ(drives->getDriveStrings(), "C:\\\0F:\\\0Z:\\\0\0"s);
    EXPECT_EQ(drives->getFreeDriveLetter(), "Y");
    EXPECT_TRUE(drives->unmapNetworkDrive("Z:\\"));
    EXPECT_FALSE(drives->unmapNetworkDrive("Z")) << "no longer mapped";
    EXPECT_EQ(drives->getFreeDriveLetter(), "Z");
}

TEST(NetworkDrives, MappingsThatFail) {
    struct Row {
        const char* name;
        const char* drive;
        const char* remote;
        int shareAnswer;
        int expected;
    };
    const Row rows[] = {
        {"no drive", "", "\\\\host\\share", 0, EINVAL},
        {"a floppy letter", "A", "\\\\host\\share", 0, EINVAL},
        {"the root's letter", "C", "\\\\host\\share", 0, EEXIST},
        {"a mapped letter", "G", "\\\\host\\share", 0, EEXIST},
        {"no share path", "H", "/srv/share", 0, EINVAL},
        {"a refused login", "H", "\\\\host\\share", EACCES, EACCES},
    };
    for (const Row& row : rows) {
        DriveTable t;
        SettingsStore store(t.storePath);
        auto drives = t.start(store);
        ASSERT_EQ(drives->mapNetworkDrive("G", "\\\\host\\g", std::nullopt, std::nullopt), 0);
        const std::string before = drives->getDriveStrings();
        t.shares.result = row.shareAnswer;
        EXPECT_EQ(drives->mapNetworkDrive(row.drive, row.remote, "u", "p"), row.expected) << row.name;
        EXPECT_EQ(drives->getDriveStrings(), before) << row.name;
    }
}

// Passwords stay in memory: after a restart the table asks once, and the
// store file never holds one.
TEST(NetworkDrives, MappingsOutliveTheProgramWithoutTheirPasswords) {
    DriveTable t;
    {
        SettingsStore store(t.storePath);
        auto drives = t.start(store);
        ASSERT_EQ(drives->mapNetworkDrive("F", "\\\\host\\share\\dir", "alice", "Pa55-w0rd!"), 0);
        ASSERT_EQ(drives->mapNetworkDrive("G", "smb://host/open", "", ""), 0);
        ASSERT_EQ(drives->mapNetworkDrive("H", "\\\\host\\mine", std::nullopt, std::nullopt), 0);
        ASSERT_TRUE(drives->resolve("F:\\", nullptr));
        EXPECT_TRUE(t.asked.empty()) << "the password of this run is known";
    }
    EXPECT_EQ(t.storeBytes().find("Pa55-w0rd!"), std::string::npos);

    SettingsStore store(t.storePath);
    auto drives = t.start(store);
    EXPECT_EQ(drives->getDriveStrings(), "C:\\\0F:\\\0G:\\\0H:\\\0\0"s);
    t.answer = "Pa55-w0rd!";
    t.shares.opens.clear();
    for (const char* folder : {"F:\\", "f:\\sub", "G:\\", "H:\\"}) ASSERT_TRUE(drives->resolve(folder, nullptr)) << folder;
    ASSERT_EQ(t.asked.size(), 1u) << "asked once, for F only";
    EXPECT_EQ(t.asked[0].letter, 'F');
    EXPECT_EQ(t.asked[0].remote, "\\\\host\\share\\dir");
    EXPECT_EQ(t.asked[0].user, "alice");
    const SmbCredentials f{"alice", "Pa55-w0rd!", std::nullopt}, g{"", "", std::nullopt}, own{};
    const SmbCredentials expected[] = {f, f, g, own};
    for (std::size_t i = 0; i < t.shares.opens.size(); ++i) {
        EXPECT_EQ(t.shares.opens[i].credentials.user, expected[i].user) << i;
        EXPECT_EQ(t.shares.opens[i].credentials.password, expected[i].password) << i;
    }
    EXPECT_EQ(t.storeBytes().find("Pa55-w0rd!"), std::string::npos);

    ASSERT_TRUE(drives->unmapNetworkDrive("F"));
    SettingsStore again(t.storePath);
    EXPECT_EQ(t.start(again)->getDriveStrings(), "C:\\\0G:\\\0H:\\\0\0"s);
}

TEST(NetworkDrives, AWrongOrDeclinedPasswordIsAskedForAgain) {
    DriveTable t;
    SettingsStore store(t.storePath);
    ASSERT_EQ(t.start(store)->mapNetworkDrive("F", "\\\\host\\share", "alice", "right"), 0);
    auto drives = t.start(store);
    t.answer = std::nullopt;
    ASSERT_TRUE(drives->resolve("F:\\", nullptr));
    EXPECT_EQ(t.shares.opens.back().credentials.password, std::nullopt);
    t.answer = "wrong";
    t.shares.result = EACCES;
    ASSERT_TRUE(drives->resolve("F:\\", nullptr));
    t.shares.result = 0;
    ASSERT_TRUE(drives->resolve("F:\\", nullptr));
    EXPECT_EQ(t.asked.size(), 3u);
}

TEST(NetworkDrives, FoldersResolveThroughTheirShare) {
    DriveTable t;
    SettingsStore store(t.storePath);
    auto drives = t.start(store);
    ASSERT_EQ(drives->mapNetworkDrive("Z", "\\\\host\\share\\dir", std::nullopt, std::nullopt), 0);
    struct Row {
        const char* folder;
        const char* path;
        const char* root;        // NetworkRoot
        const char* shown;       // NetworkPath
        const char* spelling;    // the source's own root
        const char* subPath;     // below the share
    };
    const Row rows[] = {
        {"Z:\\", "Z:/", "Z:", "\\\\host\\share\\dir", "Z:/", "dir"},
        {"z:\\a\\b\\", "z:/a/b", "z:", "\\\\host\\share\\dir", "z:/", "dir"},
        {"\\\\srv\\pub\\x\\", "\\\\srv\\pub\\x", "", "", "\\\\srv\\pub\\x", "x"},
        {"smb://srv/pub/", "smb://srv/pub", "", "", "smb://srv/pub", ""},
    };
    for (const Row& row : rows) {
        const std::optional<NetworkFolder> folder = drives->resolve(row.folder, nullptr);
        ASSERT_TRUE(folder) << row.folder;
        EXPECT_TRUE(folder->source) << row.folder;
        EXPECT_EQ(folder->path, row.path) << row.folder;
        EXPECT_EQ(folder->NetworkRoot, row.root) << row.folder;
        EXPECT_EQ(folder->NetworkPath, row.shown) << row.folder;
        EXPECT_EQ(t.shares.opens.back().rootSpelling, row.spelling) << row.folder;
        EXPECT_EQ(t.shares.opens.back().where.subPath, row.subPath) << row.folder;
    }
    for (const char* local : {"Y:\\", "C:\\", "/tmp", "", "relative"}) EXPECT_FALSE(drives->resolve(local, nullptr)) << local;
}

}  // namespace
}  // namespace quillory::ui
