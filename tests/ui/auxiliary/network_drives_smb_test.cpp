// The drive table against the suite's own Samba server: a mapped letter is
// listed through the share, and the share decides what a login is worth.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>

#include "engine/listing.h"
#include "settings/store.h"
#include "support/engine_fixture.h"
#include "support/temp_dir.h"
#include "ui/auxiliary/network_drives.h"

namespace quillory::ui {
namespace {

// The server's facts (port, guest, secure, user, password) from the file
// the fixture writes; empty without a server.
std::map<std::string, std::string> serverState() {
    std::map<std::string, std::string> state;
    const char* dir = ::getenv("QUILLORY_TEST_SMBD");
    std::ifstream in(std::string(dir ? dir : "") + "/state");
    for (std::string line; std::getline(in, line);)
        if (const auto eq = line.find('='); eq != std::string::npos) state[line.substr(0, eq)] = line.substr(eq + 1);
    return state;
}

struct LiveShare : ::testing::Test {
    std::map<std::string, std::string> server = serverState();
    test::TempDir home;
    SettingsStore store{home / "settings.sqlite"};
    std::vector<char> asked;
    NetworkDrives drives{store, [this](char letter, const std::string&, const std::optional<std::string>&) {
                             asked.push_back(letter);
                             return std::optional<std::string>();
                         }};

    void SetUp() override {
        if (!server.count("port")) GTEST_SKIP() << "no Samba server: " << server["unavailable"];
    }
    std::string url(const std::string& share, const std::string& sub = {}) const {
        return "smb://127.0.0.1:" + server.at("port") + "/" + share + (sub.empty() ? "" : "/" + sub);
    }
    // A folder of this test's own below the share's root.
    std::string ownFolder(const std::string& share) {
        std::string pattern = server.at(share) + "/drive-XXXXXX";
        EXPECT_NE(::mkdtemp(pattern.data()), nullptr);
        return pattern;
    }
};

TEST_F(LiveShare, AMappedGuestShareListsUnderItsNetworkPath) {
    const std::string folder = ownFolder("guest");
    std::filesystem::create_directories(folder + "/sub");
    std::ofstream(folder + "/top.txt") << "x";
    std::ofstream(folder + "/sub/inner.txt") << "yy";
    const std::string remote = url("guest", std::filesystem::path(folder).filename());
    ASSERT_EQ(drives.mapNetworkDrive("Z", remote, "", ""), 0);

    test::EngineFixture run;
    const std::optional<NetworkFolder> share = drives.resolve("Z:\\", &run.stop);
    ASSERT_TRUE(share);
    run.ctx.source = share->source.get();
    run.ctx.NetworkRoot = share->NetworkRoot;
    run.ctx.NetworkPath = share->NetworkPath;
    test::StringSink sink;
    const RunResult result = runListing(run.ctx, share->path, Format::Html, sink);
    EXPECT_TRUE(result.unreadable.empty());
    EXPECT_NE(sink.text.find("<h2>Listing of " + remote + "</h2>"), std::string::npos) << sink.text;
    EXPECT_NE(sink.text.find(remote + "/sub"), std::string::npos) << sink.text;
    EXPECT_NE(sink.text.find("top.txt"), std::string::npos);
    EXPECT_NE(sink.text.find("inner.txt"), std::string::npos);
    EXPECT_EQ(sink.text.find("Z:"), std::string::npos) << "the letter shows nowhere";
    std::filesystem::remove_all(folder);
}

TEST_F(LiveShare, TheSharesPasswordDecides) {
    EXPECT_NE(drives.mapNetworkDrive("S", url("secure"), server.at("user"), "not-the-password"), 0);
    EXPECT_NE(drives.mapNetworkDrive("S", url("no-such-share"), std::nullopt, std::nullopt), 0);
    ASSERT_EQ(drives.mapNetworkDrive("S", url("secure"), server.at("user"), server.at("password")), 0);
    const std::string folder = ownFolder("secure");
    std::ofstream(folder + "/inside.txt") << "z";
    const auto share = drives.resolve("S:\\" + std::filesystem::path(folder).filename().string(), nullptr);
    ASSERT_TRUE(share);
    const auto opened = share->source->open(share->path);
    ASSERT_TRUE(opened->readable()) << opened->error();
    ASSERT_EQ(opened->entries().size(), 1u);
    EXPECT_EQ(opened->entries()[0].name, "inside.txt");
    EXPECT_TRUE(asked.empty());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quillory::ui
