// The folder tree on its own, over a home folder in a temp folder: the two
// roots, moving by keyboard, selecting a folder by path, and folders that
// change while shown.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <filesystem>
#include <string>

#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "ui/main/folder_tree.h"
#include "ui/main/folder_tree_model.h"

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

struct KeysRow {
    const char* name;
    const char* keys;  // d: Down, r: Right (expand and wait for the rows)
    const char* selected;  // a root's name, or relative to the home folder
};

class Keyboard : public FolderTreeTest, public ::testing::WithParamInterface<KeysRow> {};

TEST_P(Keyboard, EveryStepIsASelectionChange) {
    const KeysRow& row = GetParam();
    dir.folder("home/Desktop/alpha");
    dir.folder("home/Desktop/Beta");
    dir.folder("home/Desktop/.hidden");
    ui::FolderTree tree;
    QSignalSpy changes(&tree, &ui::FolderTree::selectionChanged);
    EXPECT_EQ(ui::FolderTree::specialFolderPath(ui::FolderTree::kDesktopDirectory), q(desktop));
    tree.setFocus();
    int moves = 0;
    for (const char* key = row.keys; *key != '\0'; ++key) {
        if (*key == 'r') {
            QTest::keyClick(&tree, Qt::Key_Right);
            ASSERT_TRUE(shows(tree, 2)) << "after step " << key - row.keys;
        } else {
            QTest::keyClick(&tree, Qt::Key_Down);
            ++moves;
        }
    }
    const QString selected = QString::fromLatin1(row.selected);
    const bool root = selected == "Desktop" || selected == "My Computer" || selected == "/";
    EXPECT_EQ(tree.selectedFolder(), root ? selected : q(home) + (selected.isEmpty() ? "" : "/" + selected));
    EXPECT_EQ(changes.count(), moves);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Keyboard,
    ::testing::Values(KeysRow{"StartsOnTheDesktop", "", "Desktop"}, KeysRow{"DownToMyComputer", "d", "My Computer"},
                      KeysRow{"DownToHome", "dd", ""}, KeysRow{"DownToTheFileSystemRoot", "ddd", "/"},
                      KeysRow{"IntoTheDesktop", "rd", "Desktop/alpha"},
                      KeysRow{"CaseDoesNotSplitTheOrder", "rdd", "Desktop/Beta"},
                      KeysRow{"HiddenFoldersStayOut", "rddd", "My Computer"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PathRow {
    const char* name;
    const char* made;   // folders made below the home folder ("~") or outside it ("/")
    const char* asked;  // the path given to setSelectedFolder, same notation
    const char* selected;
};

class SelectByPath : public FolderTreeTest, public ::testing::WithParamInterface<PathRow> {
protected:
    TempDir outside;
    std::string real(const char* given) {
        const std::string rest = given + 1;
        return given[0] == '~' ? home + rest : outside.path() + rest;
    }
};

TEST_P(SelectByPath, ExpandsSelectsAndScrollsToTheFolder) {
    const PathRow& row = GetParam();
    std::filesystem::create_directories(real(row.made));
    // Enough siblings that the folder lies below the fold unless scrolled to.
    for (int i = 0; i < 60; ++i) dir.folder("home/filler" + std::to_string(100 + i));
    ui::FolderTree tree;
    tree.resize(200, 150);
    tree.show();
    QSignalSpy changes(&tree, &ui::FolderTree::selectionChanged);
    tree.setSelectedFolder(q(real(row.asked)));
    EXPECT_EQ(tree.selectedFolder(), q(real(row.selected)));
    EXPECT_EQ(changes.count(), 1);
    for (QModelIndex up = tree.currentIndex().parent(); up.isValid(); up = up.parent())
        EXPECT_TRUE(tree.isExpanded(up)) << up.data().toString().toStdString();
    // The rows around it arrive later and are sorted in; it stays in view.
    QTest::qWait(300);
    EXPECT_EQ(tree.selectedFolder(), q(real(row.selected)));
    const QRect shown = tree.visualRect(tree.currentIndex());
    EXPECT_TRUE(shown.top() >= 0 && shown.bottom() < tree.viewport()->height()) << shown.top();
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SelectByPath,
    ::testing::Values(PathRow{"DeepOutsideHome", "/a/b/c/d/e/f/g", "/a/b/c/d/e/f/g", "/a/b/c/d/e/f/g"},
                      PathRow{"InsideHome", "~/zz/deep", "~/zz/deep", "~/zz/deep"},
                      PathRow{"ThroughAHiddenFolder", "~/.config/zz", "~/.config/zz", "~/.config/zz"},
                      PathRow{"MissingTailGivesItsParent", "~/zz", "~/zz/not/there", "~/zz"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FolderTreeTest, ASelectedFolderThatVanishesHandsTheSelectionOn) {
    const std::string gone = dir.folder("home/gone/inner");
    dir.folder("home/stays");
    ui::FolderTree tree;
    tree.show();
    tree.setSelectedFolder(q(gone));
    ASSERT_TRUE(shows(tree, 0));
    QTest::qWait(300);
    QSignalSpy changes(&tree, &ui::FolderTree::selectionChanged);
    std::filesystem::remove_all(home + "/gone");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !changes.isEmpty(); }, kWaitMs));
    const QString now = tree.selectedFolder();
    EXPECT_FALSE(now.startsWith(q(home + "/gone"))) << now.toStdString();
    EXPECT_FALSE(now.isEmpty());
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

// Steps down from `from` through children of the given names, expanding
// each and waiting for it to be read; invalid when one does not appear.
QModelIndex walk(QTreeView& view, QModelIndex from, const QStringList& names) {
    QAbstractItemModel* model = view.model();
    for (const QString& name : names) {
        view.expand(from);
        QModelIndex next;
        const bool found = QTest::qWaitFor(
            [&] {
                for (int row = 0; row < model->rowCount(from) && !next.isValid(); ++row)
                    if (model->index(row, 0, from).data().toString() == name) next = model->index(row, 0, from);
                return next.isValid();
            },
            kWaitMs);
        if (!found) return {};
        from = next;
    }
    view.expand(from);
    return from;
}

// The same folder shown along three branches at once, changing on disk:
// the model checker stops the test at the first inconsistent answer. The
// tree's root is the temp folder, so that the checker's crawl stays there.
TEST_F(FolderTreeTest, FoldersChangingUnderSeveralBranchesKeepTheModelConsistent) {
    dir.folder("home/Desktop/work/old");
    ui::FolderTreeModel model(q(desktop), q(home), q(dir.path()));
    QAbstractItemModelTester checker(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QTreeView view;
    view.setModel(&model);
    view.show();
    const QModelIndex computer = model.computerRoot();
    const std::vector<QPersistentModelIndex> shown{
        walk(view, model.desktopRoot(), {"work"}),
        walk(view, model.index(0, 0, computer), {"Desktop", "work"}),
        walk(view, model.index(1, 0, computer), {"home", "Desktop", "work"}),
    };
    for (const QPersistentModelIndex& at : shown) {
        ASSERT_TRUE(at.isValid());
        ASSERT_EQ(model.filePath(at), q(desktop + "/work"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return model.rowCount(at) == 1; }, kWaitMs));
    }
    for (int i = 0; i < 30; ++i) dir.folder("home/Desktop/work/n" + std::to_string(i));
    std::filesystem::remove_all(desktop + "/work/old");
    QTest::qWait(300);
    for (int i = 0; i < 30; i += 2) std::filesystem::remove(desktop + "/work/n" + std::to_string(i));
    std::filesystem::rename(desktop + "/work/n1", desktop + "/work/renamed");
    for (const QPersistentModelIndex& at : shown)
        EXPECT_TRUE(QTest::qWaitFor([&] { return model.rowCount(at) == 15; }, kWaitMs));
    std::filesystem::remove_all(desktop + "/work");
    for (const QPersistentModelIndex& at : shown) EXPECT_TRUE(QTest::qWaitFor([&] { return !at.isValid(); }, kWaitMs));
}

// Qt cannot name such a folder, so it is left out; its readable sibling
// shows, and loses its expander once read, as it holds files only.
TEST_F(FolderTreeTest, ANameThatIsNotUtf8IsLeftOutAndAFolderOfFilesLosesItsExpander) {
    const std::string odd = dir.folder("home/odd");
    std::filesystem::create_directory(odd + "/caf\xe9");
    dir.file("home/odd/plain/only.txt", 1);
    ui::FolderTree tree;
    tree.setSelectedFolder(q(odd));
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Right);
    ASSERT_TRUE(shows(tree, 1));
    QTest::keyClick(&tree, Qt::Key_Down);
    EXPECT_EQ(tree.selectedFolder(), q(odd + "/plain"));
    EXPECT_TRUE(tree.model()->hasChildren(tree.currentIndex()));
    QTest::keyClick(&tree, Qt::Key_Right);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !tree.model()->hasChildren(tree.currentIndex()); }, kWaitMs));
}

}  // namespace
}  // namespace quillory::test
