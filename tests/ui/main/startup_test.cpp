// Start-up with a folder on the command line or a damaged store, the folder
// tree's two roots, the Open command and a folder dropped from a file manager.
#include <QMimeData>
#include <QStandardPaths>
#include <filesystem>

#include "settings/key_table.h"
#include "ui/main/folder_tree.h"
#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

// Through a link and with a blank in its name; the quick options are
// restored after the listing. A missing folder is not listed.
TEST_F(MainWindowTest, AFolderOnTheCommandLineIsListedBeforeTheWindowShows) {
    dir.file("a b/x.txt", 4);
    std::filesystem::create_directory_symlink(dir / "a b", dir / "link");
    EXPECT_TRUE(store.write(keys::Browser, "0"));
    window->startUp(QString::fromStdString(dir / "link/../a b/."));
    finishRun();
    EXPECT_EQ(folderBox()->text(), QString::fromStdString(std::filesystem::canonical(dir / "a b").string()));
    EXPECT_EQ(browser.windowVisible, std::vector{false});
    EXPECT_NE(readFile(scratch).find("x.txt"), std::string::npos);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(child<QLineEdit>("txtfilter")->text(), "*");

    makeWindow();
    window->startUp(QString::fromStdString(dir / "nothing here"));
    finishRun();
    EXPECT_EQ(folderBox()->text(), "");
    EXPECT_EQ(browser.opened.size(), 1u);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Please select a folder.");
}

// A damaged store is set aside at start and the user told once where it went.
TEST_F(MainWindowTest, ADamagedStoreIsSetAsideAtStartAndNamedOnce) {
    const std::string path = dir / "settings.sqlite";
    writeFile(path, std::string(8192, 'x'));
    window->startUp({});
    const StoreStatus status = store.status();
    ASSERT_EQ(status.state, StoreState::MovedAside);
    click("optNameOrder");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              QString::fromStdString("Settings store " + path + " was not a readable database; moved it to " +
                                     status.detail + " and started with defaults."));
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Warning);
}

// At start the tree selects its desktop root; "My Computer", one step down,
// empties the box. Open puts the chosen folder in the box and the tree; a
// cancelled dialog changes nothing.
TEST_F(MainWindowTest, TheTreeAndOpenFillTheBoxAndTheStatusBar) {
    auto* tree = child<ui::FolderTree>("tv");
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    EXPECT_EQ(folderBox()->text(), desktop);
    EXPECT_EQ(window->statusText(), "Selected folder: " + desktop);
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(folderBox()->text(), "");
    EXPECT_EQ(window->statusText(), "Selected folder: ");

    const QString chosen = QString::fromStdString(dir.folder("picked"));
    prompts.folderNames.push_back(chosen);
    action("mnOpen")->trigger();
    EXPECT_EQ(tree->selectedFolder(), chosen);
    EXPECT_EQ(window->statusText(), "Selected folder: " + chosen);
    clickTool("tbOpen");
    EXPECT_EQ(prompts.folderTitles, (std::vector<QString>{"Select directory", "Select directory"}));
    EXPECT_EQ(folderBox()->text(), chosen);
}

TEST_F(MainWindowTest, AFolderDroppedOnTheWindowGoesIntoTheBox) {
    const QString dropped = QString::fromStdString(dir.folder("dropped"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dropped)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(folderBox()->text(), dropped);
}

}  // namespace
}  // namespace quillory::test
