// A share typed into the folder box and previewed from the toolbar: listed
// through a temporary letter with the share's path in the headings, the
// letter given back afterwards. Then a folder on a mapped letter saved.
#include "support/smbd_server.h"
#include "net/network_drives.h"
#include "settings/mapped_drives.h"
#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

TEST_F(MainWindowTest, ASharePreviewedOrSavedThroughALetterIsListedFromTheShare) {
    const SmbdServer& server = SmbdServer::suite();
    SKIP_WITHOUT_SMBD(server);
    ShareTree tree(server.guestDir, "preview");
    ASSERT_TRUE(tree.file("top.txt", 3, 1'000'000'000));
    ASSERT_TRUE(tree.file("sub/inner.txt", 5, 1'000'000'000));
    const std::string share = server.url("guest", tree.name());
    useDefaultBrowser();

    folderBox()->setText(QString::fromStdString(share));
    clickTool("tbPreview");
    finishRun();

    ASSERT_EQ(browser.opened.size(), 1u);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(folderBox()->text(), "Z:\\");
    const std::string listing = readFile(scratch);
    for (const std::string& part : {"<h2>Listing of " + share + "</h2>", share + "/sub", std::string("inner.txt")})
        EXPECT_NE(listing.find(part), std::string::npos) << part << " in " << listing;
    EXPECT_EQ(listing.find("Z:"), std::string::npos) << listing;
    // The letter is free again, also for the next start of the program.
    {
        StoredMappings mappings(store);
        NetworkDrives drives(mappings, nullptr);
        EXPECT_EQ(drives.getFreeDriveLetter(), "Z");

        // Save As HTM looks for a mapped letter's folder on the share, as the
        // run reads it; a letter that is not mapped stays an invalid folder.
        ASSERT_TRUE(drives.mapNetworkDrive("D", share, std::nullopt, std::nullopt));
    }
    makeWindow();
    const std::string target = dir / "mapped.html";
    prompts.saveNames.push_back(QString::fromStdString(target));
    folderBox()->setText("D:\\sub");
    action("mnSave")->trigger();
    finishRun();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].title, "Saved");
    // The heading keeps the letter's folder as typed.
    EXPECT_NE(readFile(target).find("inner.txt"), std::string::npos);
    EXPECT_NE(readFile(target).find("<h2>Listing of D:\\sub</h2>"), std::string::npos) << readFile(target);

    folderBox()->setText("E:\\");
    action("mnSave")->trigger();
    finishRun();
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1], (ShownMessage{"Invalid folder specified.", "Error", QMessageBox::Critical}));
}

}  // namespace
}  // namespace quillory::test
