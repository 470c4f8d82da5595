// Start-up with a folder on the command line, the folder tree's two roots,
// the Open command and a folder dropped from a file manager.
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTreeWidget>
#include <filesystem>

#include "settings/key_table.h"
#include "ui/main/folder_tree.h"
#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

struct CommandLineRow {
    const char* name;
    const char* given;  // relative to the temp folder; "@link" is a link to "a b"
    bool listed;
};

class CommandLine : public MainWindowTest, public ::testing::WithParamInterface<CommandLineRow> {};

TEST_P(CommandLine, ListsTheFolderBeforeTheWindowShows) {
    const CommandLineRow& row = GetParam();
    dir.file("a b/x.txt", 4);
    std::filesystem::create_directory_symlink(dir / "a b", dir / "link");
    EXPECT_TRUE(store.write(keys::Browser, "0"));
    window->startUp(QString::fromStdString(dir / row.given));
    finishRun();
    const QString canonical = QString::fromStdString(std::filesystem::canonical(dir / "a b").string());
    if (row.listed) {
        EXPECT_EQ(folderBox()->text(), canonical);
        ASSERT_EQ(browser.opened.size(), 1u);
        EXPECT_FALSE(browser.windowVisible[0]);
        EXPECT_NE(readFile(scratch).find("x.txt"), std::string::npos);
        EXPECT_TRUE(prompts.messages.empty());
    } else {
        EXPECT_EQ(folderBox()->text(), "");
        EXPECT_TRUE(browser.opened.empty());
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, "Please select a folder.");
    }
    // The quick options come after the listing.
    EXPECT_EQ(child<QLineEdit>("txtfilter")->text(), "*");
}

INSTANTIATE_TEST_SUITE_P(Paths, CommandLine,
                         ::testing::Values(CommandLineRow{"WithBlank", "a b", true},
                                           CommandLineRow{"ThroughALink", "link/../a b/.", true},
                                           CommandLineRow{"Missing", "nothing here", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A damaged store is set aside at start and the user told once where it went.
TEST_F(MainWindowTest, ADamagedStoreIsSetAsideAtStartAndNamedOnce) {
    const std::string path = dir / "settings.sqlite";
    {
        std::ofstream junk(path, std::ios::binary);
        junk << std::string(8192, 'x');
    }
    window->startUp({});
    const StoreStatus status = store.status();
    ASSERT_EQ(status.state, StoreState::MovedAside);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              QString::fromStdString("Settings store " + path + " was not a readable database; moved it to " +
                                     status.detail + " and started with defaults."));
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Warning);
    click("optNameOrder");
    EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST_F(MainWindowTest, TheTreesRootsFillTheBoxAndTheStatusBar) {
    auto* tree = child<ui::FolderTree>("tv");
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    // At start the tree selects its desktop root.
    EXPECT_EQ(folderBox()->text(), desktop);
    EXPECT_EQ(window->statusText(), "Selected folder: " + desktop);
    // The user steps down to "My Computer" with the keyboard.
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(folderBox()->text(), "");
    EXPECT_EQ(window->statusText(), "Selected folder: ");
}

TEST_F(MainWindowTest, OpenPutsTheChosenFolderInTheBoxAndTheTree) {
    const QString chosen = QString::fromStdString(dir.folder("picked"));
    prompts.folderNames.push_back(chosen);
    action("mnOpen")->trigger();
    ASSERT_EQ(prompts.folderTitles.size(), 1u);
    EXPECT_EQ(prompts.folderTitles[0], "Select directory");
    EXPECT_EQ(child<ui::FolderTree>("tv")->selectedFolder(), chosen);
    EXPECT_EQ(window->statusText(), "Selected folder: " + chosen);
    // A cancelled dialog changes nothing.
    clickTool("tbOpen");
    EXPECT_EQ(prompts.folderTitles.size(), 2u);
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

TEST_F(MainWindowTest, MenusAndToolbarInTheirOrder) {
    auto names = [](const QList<QAction*>& actions) {
        QStringList out;
        for (const QAction* a : actions) out << (a->isSeparator() ? "-" : a->text() + "|" + a->shortcut().toString());
        return out;
    };
    EXPECT_EQ(names(child<QMenu>("mnListing")->actions()),
              (QStringList{"&Open Source Folder|Ctrl+O", "-", "Save As &HTM|Ctrl+H", "S&ave As Spreadsheet|Ctrl+D",
                           "&Preview|Ctrl+P", "-", "&Stop Generation|Ctrl+S", "-", "E&xit|Ctrl+X"}));
    EXPECT_EQ(names(child<QMenu>("mnOptions")->actions()),
              (QStringList{"Settings|", "Log Events|", "-", "Use internal browser|"}));
    EXPECT_EQ(names(child<QMenu>("mnHelp")->actions()), (QStringList{"Help Contents|", "Visit &Website|", "About|"}));
    QStringList tools;
    for (const QAction* a : child<QToolBar>("Toolbar1")->actions()) tools << a->text();
    EXPECT_EQ(tools, (QStringList{"Open", "Save", "Preview", "Stop", "Map Drive", "Settings"}));
}

}  // namespace
}  // namespace quillory::test
