// The drive table against the suite's own Samba server.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>

using namespace std::string_literals;

#include "support/engine_fixture.h"
#include "ui/auxiliary/network_drives.h"

namespace quillory::ui {
namespace {

struct LiveShare : ::testing::Test {
    std::map<std::string, std::string> server;  // port, guest, secure, user, password
    test::TempDir home;
    SettingsStore store{home / "settings.sqlite"};
    NetworkDrives drives{store, nullptr};

    void SetUp() override {
        const char* dir = ::getenv("QUILLORY_TEST_SMBD");
        std::ifstream in(std::string(dir ? dir : "") + "/state");
        for (std::string line; std::getline(in, line);)
            if (const auto eq = line.find('='); eq != std::string::npos) server[line.substr(0, eq)] = line.substr(eq + 1);
        if (!server.count("port")) GTEST_SKIP() << "no Samba server: " << server["unavailable"];
    }
    std::string url(const std::string& share) const { return "smb://127.0.0.1:" + server.at("port") + "/" + share; }
};

// As a typed share is listed: a temporary letter with the user's own
// credentials, the headings showing the share in its place; listed with no
// network path, as a drive mapped for good is, they show the letter.
TEST_F(LiveShare, AGuestShareListsThroughItsLetter) {
    std::string folder = server.at("guest") + "/drive-XXXXXX";
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    std::filesystem::create_directories(folder + "/sub");
    std::ofstream(folder + "/top.txt") << "x";
    std::ofstream(folder + "/sub/inner.txt") << "yy";
    const std::string remote = url("guest/" + std::filesystem::path(folder).filename().string());
    ASSERT_EQ(drives.mapNetworkDrive("Z", remote, std::nullopt, std::nullopt), 0);

    for (const std::string& networkPath : {remote, ""s}) {
        test::EngineFixture run;
        const std::optional<NetworkFolder> share = drives.resolve("Z:\\", &run.stop);
        ASSERT_TRUE(share);
        run.ctx.source = share->source.get();
        run.ctx.NetworkRoot = share->NetworkRoot;
        run.ctx.NetworkPath = networkPath;
        test::StringSink sink;
        EXPECT_TRUE(runListing(run.ctx, share->path, Format::Html, sink).unreadable.empty());
        const std::string shown = networkPath.empty() ? "Z:" : remote;
        const std::string title = networkPath.empty() ? "Z:/" : remote;
        for (const std::string& part : {"<h2>Listing of " + title + "</h2>", shown + "/sub<", "top.txt"s, "inner.txt"s})
            EXPECT_NE(sink.text.find(part), std::string::npos) << part << " in " << sink.text;
    }
    std::filesystem::remove_all(folder);
}

TEST_F(LiveShare, TheShareDecidesWhatALoginIsWorth) {
    EXPECT_NE(drives.mapNetworkDrive("S", url("secure"), server.at("user"), "not-the-password"), 0);
    EXPECT_NE(drives.mapNetworkDrive("S", url("no-such-share"), std::nullopt, std::nullopt), 0);
    EXPECT_EQ(drives.mapNetworkDrive("S", url("secure"), server.at("user"), server.at("password")), 0);
}

}  // namespace
}  // namespace quillory::ui
