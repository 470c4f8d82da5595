// The drive table over a real store file; a recorder answers for the shares (smbd/ has the live server).
#include "net/network_drives.h"

#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <filesystem>

#include "settings/mapped_drives.h"
#include "settings/store.h"
#include "support/golden.h"
#include "support/share_recorder.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

// One program start: a store object of its own on the same file.
struct Program {
    Program(const std::string& path, PasswordPrompt& prompt, ShareAccess access)
        : store(path), mappings(store), drives(mappings, &prompt, std::move(access)) {}
    SettingsStore store;
    StoredMappings mappings;
    NetworkDrives drives;
};

struct DriveTable : ::testing::Test {
    test::TempDir dir;
    test::ShareRecorder shares;
    test::RecordingPrompt prompt;

    std::unique_ptr<Program> start() { return std::make_unique<Program>(dir / "settings.sqlite", prompt, shares.access()); }
    std::string storedBytes() const {
        std::string bytes;
        for (const auto& file : std::filesystem::directory_iterator(dir.path())) bytes += test::readFile(file.path());
        return bytes;
    }
};

TEST_F(DriveTable, TheRootAndTheMappedLettersAreInUseAndFailedMappingsChangeNothing) {
    const struct { const char* name; const char* drive; const char* remote; int shareAnswer, expected; } rows[] = {
        {"no drive", "", "\\\\host\\share", 0, EINVAL}, {"a floppy letter", "A", "\\\\host\\share", 0, EINVAL},
        {"the root's letter", "C", "\\\\host\\share", 0, EEXIST}, {"a mapped letter", "f", "\\\\host\\share", 0, EEXIST},
        {"no share path", "H", "/srv/share", 0, EINVAL}, {"a refused login", "H", "\\\\host\\share", EACCES, EACCES},
    };
    auto p = start();
    EXPECT_EQ(p->drives.usedLetters().text(), "C");
    ASSERT_TRUE(p->drives.mapNetworkDrive("z", "\\\\host\\share", std::nullopt, std::nullopt));
    ASSERT_TRUE(p->drives.mapNetworkDrive("F:", "smb://host/other", std::nullopt, std::nullopt));
    EXPECT_EQ(p->drives.usedLetters().text(), "CFZ");
    EXPECT_EQ(p->drives.getFreeDriveLetter(), "Y");
    EXPECT_TRUE(p->drives.unmapNetworkDrive("Z:\\"));
    EXPECT_FALSE(p->drives.unmapNetworkDrive("Z"));
    EXPECT_EQ(p->drives.getFreeDriveLetter(), "Z");
    for (const auto& row : rows) {
        shares.result = row.shareAnswer;
        EXPECT_EQ(p->drives.mapNetworkDrive(row.drive, row.remote, "u", "p").code(), row.expected) << row.name;
        EXPECT_EQ(p->drives.usedLetters().text(), "CF") << row.name;
    }
}

// Passwords stay in memory, only while the process cannot be dumped; after a restart the table asks once for
// the one mapping that had a password, and no file ever holds it.
TEST_F(DriveTable, MappingsOutliveTheProgramWithoutTheirPasswords) {
    ASSERT_EQ(::prctl(PR_GET_DUMPABLE), 1);
    {
        auto first = start();
        ASSERT_TRUE(first->drives.mapNetworkDrive("F", "\\\\host\\share", "alice", "Pa55-w0rd!"));
        EXPECT_EQ(::prctl(PR_GET_DUMPABLE), 0);
        ASSERT_TRUE(first->drives.mapNetworkDrive("G", "smb://host/open", "", ""));
        ASSERT_TRUE(first->drives.mapNetworkDrive("H", "\\\\host\\mine", std::nullopt, std::nullopt));
        ASSERT_TRUE(first->drives.resolve("F:\\", nullptr));
    }
    auto p = start();
    EXPECT_EQ(p->drives.usedLetters().text(), "CFGH");
    prompt.answer = "Pa55-w0rd!";
    shares.opens.clear();
    for (const char* folder : {"F:\\", "f:\\sub", "G:\\", "H:\\"}) ASSERT_TRUE(p->drives.resolve(folder, nullptr));
    EXPECT_EQ(prompt.letters, std::vector<char>{'F'});
    using Login = std::pair<std::optional<std::string>, std::optional<std::string>>;  // user, password
    std::vector<Login> logins;
    for (const auto& open : shares.opens) logins.emplace_back(open.credentials.user, open.credentials.password);
    const Login f{"alice", "Pa55-w0rd!"}, g{"", ""}, own{};
    EXPECT_EQ(logins, (std::vector<Login>{f, f, g, own}));
    EXPECT_EQ(storedBytes().find("Pa55-w0rd!"), std::string::npos);
    EXPECT_EQ(::prctl(PR_GET_DUMPABLE), 0);
    ASSERT_TRUE(p->drives.unmapNetworkDrive("F"));
    EXPECT_EQ(::prctl(PR_GET_DUMPABLE), 1);
    EXPECT_EQ(start()->drives.usedLetters().text(), "CGH");
}

TEST_F(DriveTable, FoldersResolveThroughTheirShare) {
    auto p = start();
    ASSERT_TRUE(p->drives.mapNetworkDrive("Z", "\\\\host\\share\\dir", std::nullopt, std::nullopt));
    // `spelling`: the source's own root; `subPath`: below the share.
    const struct { const char* folder, *path, *root, *spelling, *subPath; } rows[] = {
        {"Z:\\", "Z:/", "Z:", "Z:/", "dir"}, {"z:\\a\\b\\", "z:/a/b", "z:", "z:/", "dir"},
        {"\\\\srv\\pub\\x\\", "\\\\srv\\pub\\x", "", "\\\\srv\\pub\\x", "x"},
        {"smb://srv/pub/", "smb://srv/pub", "", "smb://srv/pub", ""},
    };
    for (const auto& row : rows) {
        const std::optional<NetworkFolder> folder = p->drives.resolve(row.folder, nullptr);
        ASSERT_TRUE(folder && folder->source) << row.folder;
        using Seen = std::vector<std::string>;
        EXPECT_EQ((Seen{folder->path, folder->NetworkRoot, folder->NetworkPath, shares.opens.back().rootSpelling,
                        shares.opens.back().where.subPath}),
                  (Seen{row.path, row.root, "", row.spelling, row.subPath}));
    }
    for (const char* local : {"Y:\\", "C:\\", "Z:sub", "/tmp", ""})
        EXPECT_FALSE(p->drives.resolve(local, nullptr)) << local;
}

}  // namespace
}  // namespace quillory
