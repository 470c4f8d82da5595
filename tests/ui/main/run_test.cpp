// The report and spreadsheet runs as a user starts them: saved files equal
// the command's output byte for byte, Stop ends a large walk while the
// window stays usable, and failures leave the user's files as they were.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <filesystem>

#include "settings/key_table.h"
#include "support/run_process.h"
#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

// A walk over 2,000 files a folder that is quick to make: one folder,
// reached under its own name and through `folders` - 1 links.
std::string largeWalk(const TempDir& dir, int folders = 100) {
    dir.manyFiles("big/files", 2000);
    for (int i = 1; i < folders; ++i)
        std::filesystem::create_directory_symlink("files", dir / ("big/link" + std::to_string(i)));
    return dir / "big";
}

class RunTest : public MainWindowTest {
protected:
    std::string tree = dir.folder("tree");
    std::string commandOutput(bool csv) {
        const std::string out = dir / (csv ? "reference.csv" : "reference.html");
        std::vector<std::string> args{QUILLORY_LIST_EXE, "-o", out, tree};
        if (csv) args.insert(args.begin() + 1, "--csv");
        const ProcessResult result = runProcess(args, {"QUILLORY_SETTINGS=" + store.path()});
        EXPECT_EQ(result.status, 0) << result.err;
        return readFile(out);
    }
    void list(const std::string& folder, const char* command) {
        folderBox()->setText(QFile::decodeName(folder.c_str()));
        action(command)->trigger();
        finishRun();
    }
};

struct SaveRow {
    const char* name;
    const char* command;
    bool csv;
    bool escape;  // the stored escape switch, which the command follows too
};

class SavedListing : public RunTest, public ::testing::WithParamInterface<SaveRow> {};

TEST_P(SavedListing, EqualsTheCommandsOutputAndReplacesALongerFile) {
    dir.file("tree/b & <c>.txt", 1500, 1196676600);
    dir.file("tree/a.doc", 12, 1196676600);
    dir.file("tree/sub/d, \"e\".csv", 70000, 1196676600);
    EXPECT_TRUE(store.write(keys::NameOrder, "1"));
    EXPECT_TRUE(store.write(keys::NoOrder, "0"));
    EXPECT_TRUE(store.write(keys::Escape, GetParam().escape ? "1" : "0"));
    const std::string target = dir / "saved";
    { std::ofstream(target) << std::string(200000, 'x'); }
    prompts.saveNames.push_back(QFile::decodeName(target.c_str()));
    list(tree, GetParam().command);
    const ShownMessage saved{"Listing was saved to specified file successfully.", "Saved", QMessageBox::Information};
    EXPECT_EQ(prompts.messages, std::vector<ShownMessage>{saved});
    EXPECT_EQ(readFile(target), commandOutput(GetParam().csv));
    const char* name = GetParam().csv ? (GetParam().escape ? "d, \"\"e\"\".csv" : "d, \"e\".csv")
                                      : (GetParam().escape ? "b &amp; &lt;c&gt;.txt" : "b & <c>.txt");
    EXPECT_NE(readFile(target).find(name), std::string::npos) << name;
}

INSTANTIATE_TEST_SUITE_P(Commands, SavedListing,
                         ::testing::Values(SaveRow{"Html", "mnSave", false, false},
                                           SaveRow{"EscapedSpreadsheet", "mnuSpreadheet", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Stop is pressed once the walk reports progress: the run ends stopped short
// of the tree's end, with the window answering events all along. The tree
// takes several progress ticks to walk.
TEST_F(RunTest, StopEndsALargeWalkAndShowsNothing) {
    const TempDir memory = TempDir::inMemory();
    const std::string big = largeWalk(memory, 500);
    useDefaultBrowser();
    bool stopped = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (stopped || !window->statusText().startsWith("Scanning folder: ")) return;
        EXPECT_FALSE(action("tbPreview")->isEnabled());
        EXPECT_TRUE(action("tbStop")->isEnabled());
        clickTool("tbStop");
        stopped = true;
    });
    watcher.start(5);
    list(big, "mnPreview");
    ASSERT_TRUE(stopped);
    EXPECT_LT(window->totals().TotalFiles, 1000000);
    EXPECT_TRUE(browser.opened.empty());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(window->statusText(), "");
    EXPECT_EQ(child<QLabel>("SBarCounts")->text(), "The run was stopped.");
    EXPECT_TRUE(action("tbPreview")->isEnabled());
}

TEST_F(RunTest, QuickOptionsChangedDuringAWalkAreStoredAndTheRunEnds) {
    const TempDir memory = TempDir::inMemory();
    const std::string big = largeWalk(memory);
    window->startUp({});
    useDefaultBrowser();
    const char* buttons[] = {"optNameOrder", "optSizeOrder", "optDateOrder", "optNoRecursion", "optRecurseInfinite"};
    int clicks = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (!window->isRunning()) return;
        click(buttons[clicks % 5]);
        QTest::keyClick(child<QLineEdit>("txtfilter"), Qt::Key_A);
        ++clicks;
    });
    user.start(1);
    list(big, "mnPreview");
    user.stop();
    EXPECT_GT(clicks, 0);
    EXPECT_EQ(browser.opened.size(), 1u);
    EXPECT_EQ(store.read(keys::FileInclude), "*" + std::string(static_cast<std::size_t>(clicks), 'a'));
    EXPECT_EQ(store.read(keys::Recurse), clicks % 5 == 4 ? "No" : "Infinite");
}

TEST_F(RunTest, ClosingDuringARunStopsItAndThenCloses) {
    const TempDir memory = TempDir::inMemory();
    const std::string big = largeWalk(memory);
    useDefaultBrowser();
    window->show();
    bool closed = false;
    bool endedFirst = false;
    QObject::connect(window.get(), &ui::frmMain::runFinished, [&] { endedFirst = !closed; });
    QObject::connect(window.get(), &ui::frmMain::closed, [&] { closed = true; });
    QTimer::singleShot(50, [&] { window->close(); });
    list(big, "mnPreview");
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed; }, 1000));
    EXPECT_TRUE(endedFirst);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(browser.opened.empty());
    EXPECT_EQ(store.read(keys::Browser), "0");
}

// Settings opened during a run: the run still ends through its finished
// handler, which shows the listing under the open dialog.
TEST_F(RunTest, ARunEndsWhileTheSettingsDialogIsOpen) {
    const TempDir memory = TempDir::inMemory();
    const std::string big = largeWalk(memory);
    useDefaultBrowser();
    window->show();
    bool endedUnderDialog = false;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(window->isRunning());
        EXPECT_FALSE(action("mnSave")->isEnabled());
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isRunning(); }, 60000));
            endedUnderDialog = browser.opened.size() == 1;
            dialog->reject();
        });
        action("mnSettings")->trigger();
    });
    list(big, "mnPreview");
    EXPECT_TRUE(endedUnderDialog);
    EXPECT_TRUE(action("mnSave")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RunTest, AScratchFileThatCannotBeWrittenIsReported) {
    scratch = dir / "no-such-folder/myTmpFile.htm";
    makeWindow();
    useDefaultBrowser();
    list(tree, "mnPreview");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, QString::fromStdString("The listing could not be written to " + scratch +
                                                               ":\nNo such file or directory"));
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(browser.opened.empty());
}

TEST_F(RunTest, SavingOntoAFolderFailsLeavesItAloneAndAsksAgain) {
    const std::string target = dir.folder("a-folder");
    dir.file("a-folder/kept.txt", 5);
    prompts.saveNames.push_back(QString::fromStdString(target));
    // After the message the user picks another place.
    prompts.saveNames.push_back(QString::fromStdString(dir / "second.csv"));
    list(tree, "mnuSpreadheet");
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_TRUE(
        prompts.messages[0].text.startsWith(QString::fromStdString("The listing could not be saved to " + target)));
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(prompts.messages[1].title, "Saved");
    EXPECT_EQ(prompts.saveDialogs.size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(dir / "second.csv"));
    EXPECT_EQ(std::filesystem::file_size(dir / "a-folder/kept.txt"), 5u);
}

TEST_F(RunTest, AFolderThatCannotBeReadIsListedEmptyAndNamedInTheStatusBar) {
    const std::string gone = dir / "gone";
    prompts.saveNames.push_back(QString::fromStdString(dir / "out.csv"));
    list(gone, "mnuSpreadheet");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].title, "Saved");
    auto* counts = child<QLabel>("SBarCounts");
    EXPECT_EQ(counts->text(), "1 folder could not be read");
    EXPECT_EQ(counts->toolTip(), QString::fromStdString(gone + ": No such file or directory"));
    // The next run starts afresh, and a Stop between runs does not stop it.
    useDefaultBrowser();
    action("mnStop")->trigger();
    list(tree, "mnPreview");
    EXPECT_EQ(counts->text(), "");
    EXPECT_EQ(browser.opened.size(), 1u);
}

}  // namespace
}  // namespace quillory::test
