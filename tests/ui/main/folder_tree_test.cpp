// The folder tree on its own, over a home folder in a temp folder: the two
// roots, moving by keyboard, selecting a folder by path, and a folder that
// vanishes while shown.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <string>

#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "ui/main/folder_tree.h"

namespace quillory::test {
namespace {

constexpr int kWaitMs = 10000;

class FolderTreeTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string home = dir.folder("home");
    ScopedEnv homeEnv{"HOME", home.c_str()};
    ScopedEnv configEnv{"XDG_CONFIG_HOME", (dir / "config").c_str()};
    std::string desktop = dir.folder("home/Desktop");

    QString q(const std::string& path) { return QString::fromStdString(path); }
    // Waits until the selected folder has been read and shows `rows` rows.
    bool shows(ui::FolderTree& tree, int rows) {
        return QTest::qWaitFor([&] { return tree.model()->rowCount(tree.currentIndex()) == rows; }, kWaitMs);
    }
};

// Every key step is one selection change; folders sort without regard to
// case, and hidden ones stay out.
TEST_F(FolderTreeTest, EveryKeyboardStepIsASelectionChange) {
    dir.folder("home/Desktop/alpha");
    dir.folder("home/Desktop/Beta");
    dir.folder("home/Desktop/.hidden");
    EXPECT_EQ(ui::FolderTree::specialFolderPath(ui::FolderTree::kDesktopDirectory), q(desktop));
    const struct {
        const char* keys;  // d: Down, r: Right (expand and wait for the rows)
        QString selected;
    } rows[] = {{"ddd", "/"}, {"rdd", q(desktop + "/Beta")}, {"rddd", "My Computer"}};
    for (const auto& row : rows) {
        ui::FolderTree tree;
        QSignalSpy changes(&tree, &ui::FolderTree::selectionChanged);
        tree.setFocus();
        int moves = 0;
        for (const char* key = row.keys; *key != '\0'; ++key) {
            QTest::keyClick(&tree, *key == 'r' ? Qt::Key_Right : Qt::Key_Down);
            if (*key == 'd') ++moves;
            else ASSERT_TRUE(shows(tree, 2)) << row.keys;
        }
        EXPECT_EQ(tree.selectedFolder(), row.selected) << row.keys;
        EXPECT_EQ(changes.count(), moves) << row.keys;
    }
}

// Deep outside the home folder, through a hidden folder, and a missing tail,
// which gives its parent.
TEST_F(FolderTreeTest, SelectingByPathExpandsSelectsAndScrollsToTheFolder) {
    const TempDir outside;
    // Enough siblings that the folder lies below the fold unless scrolled to.
    for (int i = 0; i < 60; ++i) dir.folder("home/filler" + std::to_string(100 + i));
    const struct {
        std::string made, asked, selected, branch;
    } rows[] = {{outside / "a/b/c/d/e/f/g", outside / "a/b/c/d/e/f/g", outside / "a/b/c/d/e/f/g", "/"},
                {home + "/.config/zz", home + "/.config/zz", home + "/.config/zz", home},
                {home + "/zz", home + "/zz/not/there", home + "/zz", home}};
    for (const auto& row : rows) {
        std::filesystem::create_directories(row.made);
        ui::FolderTree tree;
        tree.resize(200, 150);
        tree.show();
        QSignalSpy changes(&tree, &ui::FolderTree::selectionChanged);
        tree.setSelectedFolder(q(row.asked));
        EXPECT_EQ(tree.selectedFolder(), q(row.selected));
        EXPECT_EQ(changes.count(), 1);
        // Expanded up to its branch's top folder, under "My Computer".
        QModelIndex top = tree.currentIndex(), branch;
        for (; top.parent().isValid(); branch = top, top = top.parent()) EXPECT_TRUE(tree.isExpanded(top.parent()));
        EXPECT_EQ(top.data().toString() + " " + branch.data().toString(), "My Computer " + q(row.branch)) << row.asked;
        // The rows around it arrive later and are sorted in; it stays in view.
        QTest::qWait(300);
        EXPECT_EQ(tree.selectedFolder(), q(row.selected));
        const QRect shown = tree.visualRect(tree.currentIndex());
        EXPECT_TRUE(shown.top() >= 0 && shown.bottom() < tree.viewport()->height()) << row.asked;
    }
}

// The vanished folder sorts first among the home folder's, in the row the
// home folder has in its own: only the rows removed go, not the whole tree.
TEST_F(FolderTreeTest, ASelectedFolderThatVanishesHandsTheSelectionToItsParent) {
    const std::string gone = dir.folder("home/a-gone/inner");
    dir.folder("home/stays");
    ui::FolderTree tree;
    tree.show();
    tree.setSelectedFolder(q(gone));
    ASSERT_TRUE(shows(tree, 0));
    QTest::qWait(300);
    QSignalSpy changes(&tree, &ui::FolderTree::selectionChanged);
    std::filesystem::remove_all(home + "/a-gone");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !changes.isEmpty(); }, kWaitMs));
    EXPECT_EQ(tree.selectedFolder(), q(home));
}

TEST_F(FolderTreeTest, AHiddenFolderChosenAfterItsParentWasRead) {
    const std::string hidden = dir.folder("home/.config/zz");
    dir.folder("home/shown");
    ui::FolderTree tree;
    tree.setSelectedFolder(q(home));
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Right);
    ASSERT_TRUE(shows(tree, 2));  // Desktop and shown
    tree.setSelectedFolder(q(hidden));
    EXPECT_EQ(tree.selectedFolder(), q(hidden));
}

}  // namespace
}  // namespace quillory::test
