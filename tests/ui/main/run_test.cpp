// The report and spreadsheet runs as a user starts them: saved files equal
// the command's output byte for byte, Stop ends a large walk while the
// window stays usable, and failures leave the user's files as they were.
#include <QApplication>
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

// The stored escape switch is followed by the command too.
TEST_F(RunTest, SavedListingsEqualTheCommandsOutputAndReplaceALongerFile) {
    dir.file("tree/b & <c>.txt", 1500, 1196676600);
    dir.file("tree/a.doc", 12, 1196676600);
    dir.file("tree/sub/d, \"e\".csv", 70000, 1196676600);
    EXPECT_TRUE(store.write(keys::NameOrder, "1"));
    EXPECT_TRUE(store.write(keys::NoOrder, "0"));
    const struct {
        const char* command;
        bool csv;
        bool escape;
    } rows[] = {{"mnSave", false, false}, {"mnuSpreadheet", true, true}};
    for (const auto& row : rows) {
        EXPECT_TRUE(store.write(keys::Escape, row.escape ? "1" : "0"));
        const std::string target = dir / "saved";
        writeFile(target, std::string(200000, 'x'));
        prompts.messages.clear();
        prompts.saveNames.push_back(QFile::decodeName(target.c_str()));
        list(tree, row.command);
        const ShownMessage saved{"Listing was saved to specified file successfully.", "Saved",
                                 QMessageBox::Information};
        EXPECT_EQ(prompts.messages, std::vector<ShownMessage>{saved}) << row.command;
        EXPECT_EQ(readFile(target), commandOutput(row.csv)) << row.command;
    }
}

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
    EXPECT_TRUE(browser.opened.empty() && prompts.messages.empty() && QApplication::overrideCursor() == nullptr);
    EXPECT_EQ(window->statusText(), "");
    EXPECT_EQ(child<QLabel>("SBarCounts")->text(), "The run was stopped.");
    EXPECT_TRUE(action("tbPreview")->isEnabled());
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
    EXPECT_TRUE(!window->isVisible() && browser.opened.empty());
    EXPECT_EQ(store.read(keys::Browser), "0");
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

// Saving onto a folder fails, leaves it alone and asks again; a folder that
// cannot be read is listed empty and named in the status bar until the next
// run, which a Stop between runs does not stop.
TEST_F(RunTest, ASpreadsheetRunsFailuresAreReportedAndLeaveTheUsersFilesAlone) {
    const std::string target = dir.folder("a-folder");
    dir.file("a-folder/kept.txt", 5);
    const std::string gone = dir / "gone";
    prompts.saveNames = {QString::fromStdString(target), QString::fromStdString(dir / "second.csv")};
    list(gone, "mnuSpreadheet");
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_TRUE(
        prompts.messages[0].text.startsWith(QString::fromStdString("The listing could not be saved to " + target)));
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(prompts.messages[1].title, "Saved");
    EXPECT_EQ(prompts.saveDialogs.size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(dir / "second.csv"));
    EXPECT_EQ(std::filesystem::file_size(dir / "a-folder/kept.txt"), 5u);
    auto* counts = child<QLabel>("SBarCounts");
    EXPECT_EQ(counts->text(), "1 folder could not be read");
    EXPECT_EQ(counts->toolTip(), QString::fromStdString(gone + ": No such file or directory"));
    useDefaultBrowser();
    action("mnStop")->trigger();
    list(tree, "mnPreview");
    EXPECT_EQ(counts->text(), "");
    EXPECT_EQ(browser.opened.size(), 1u);
}

}  // namespace
}  // namespace quillory::test
