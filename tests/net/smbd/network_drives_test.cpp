// The drive table against the suite's own Samba server.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace std::string_literals;

#include "support/engine_fixture.h"
#include "support/smbd_server.h"
#include "net/network_drives.h"
#include "settings/mapped_drives.h"

namespace quillory {
namespace {

struct LiveShare : ::testing::Test {
    const test::SmbdServer& server = test::SmbdServer::suite();
    test::TempDir home;
    SettingsStore store{home / "settings.sqlite"};
    StoredMappings mappings{store};
    NetworkDrives drives{mappings, nullptr};

    void SetUp() override { SKIP_WITHOUT_SMBD(server); }
    std::string url(const std::string& share) const { return server.url(share); }
};

// As a typed share is listed: a temporary letter with the user's own
// credentials, the headings showing the share in its place; listed with no
// network path, as a drive mapped for good is, they show the letter.
TEST_F(LiveShare, AGuestShareListsThroughItsLetter) {
    std::string folder = server.guestDir + "/drive-XXXXXX";
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    std::filesystem::create_directories(folder + "/sub");
    std::ofstream(folder + "/top.txt") << "x";
    std::ofstream(folder + "/sub/inner.txt") << "yy";
    const std::string remote = url("guest/" + std::filesystem::path(folder).filename().string());
    ASSERT_TRUE(drives.mapNetworkDrive("Z", remote, std::nullopt, std::nullopt));

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
    EXPECT_FALSE(drives.mapNetworkDrive("S", url("secure"), server.user, "not-the-password"));
    EXPECT_FALSE(drives.mapNetworkDrive("S", url("no-such-share"), std::nullopt, std::nullopt));
    EXPECT_TRUE(drives.mapNetworkDrive("S", url("secure"), server.user, server.password));
}

}  // namespace
}  // namespace quillory
