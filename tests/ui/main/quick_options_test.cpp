// The quick options reach the store the moment the user changes them, in
// the writers' exact order; start-up and closing restore and keep them; a
// store that cannot be written is reported once; the event log's switch.
#include <sqlite3.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "settings/key_table.h"
#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

using Writes = std::vector<std::pair<std::string, std::string>>;

// Records every write into the store file, in order, with a trigger inside
// the file itself: what the window wrote and when, seen from the outside.
class WriteLog {
public:
    explicit WriteLog(SettingsStore& store) : m_path(store.path()) {
        EXPECT_TRUE(store.write(keys::FileExclude, ""));  // the file must exist
        exec(
            "CREATE TABLE write_log(name BLOB, value BLOB);"
            "CREATE TRIGGER log_insert AFTER INSERT ON setting BEGIN"
            " INSERT INTO write_log VALUES(new.name, new.value); END;"
            "CREATE TRIGGER log_update AFTER UPDATE ON setting BEGIN"
            " INSERT INTO write_log VALUES(new.name, new.value); END;");
    }
    Writes writes() {
        Writes out;
        exec("SELECT CAST(name AS TEXT), CAST(value AS TEXT) FROM write_log ORDER BY rowid", &out);
        return out;
    }

private:
    void exec(const char* sql, Writes* rows = nullptr) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(m_path.c_str(), &db), SQLITE_OK);
        const auto row = [](void* out, int, char** values, char**) {
            static_cast<Writes*>(out)->emplace_back(values[0], values[1]);
            return 0;
        };
        EXPECT_EQ(sqlite3_exec(db, sql, rows ? +row : nullptr, rows, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
    std::string m_path;
};

// An empty store starts with the defaults and is not created by that. Each
// click of an order button, the checked one first, writes all six keys; each
// click of a recursion button, and each keystroke in the filter, is written at
// once; the preview tick is written at closing only. Stored options are shown
// at the next start, a depth with both recursion buttons clear.
TEST_F(MainWindowTest, EveryQuickOptionChangeIsWrittenAtOnceAndShownAtTheNextStart) {
    window->startUp({});
    EXPECT_TRUE(action("mnUseInternalBrowser")->isChecked());
    EXPECT_FALSE(action("mnuLog")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optNoOrder")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optRecurseInfinite")->isChecked());
    auto* filter = child<QLineEdit>("txtfilter");
    EXPECT_EQ(filter->text(), "*");
    EXPECT_FALSE(std::filesystem::exists(store.path()));
    WriteLog log(store);
    Writes expected;
    for (const char* button :
         {"optNoOrder", "optNameOrder", "optSizeOrder", "optExtOrder", "optTypeOrder", "optDateOrder"}) {
        click(button);
        const std::string key = QString(button + 3).toLower().toStdString();
        for (const char* written : {"noorder", "extorder", "sizeorder", "typeorder", "dateorder", "nameorder"})
            expected.emplace_back(written, written == key ? "1" : "0");
    }
    action("mnUseInternalBrowser")->trigger();
    click("optNoRecursion");
    click("optRecurseInfinite");
    filter->clear();  // not the user's edit: not written
    QTest::keyClicks(filter, "*.c;");
    QTest::keyClick(filter, Qt::Key_Backspace);
    const Writes later{{"recurse", "No"},     {"recurse", "Infinite"}, {"fileinclude", "*"},    {"fileinclude", "*."},
                       {"fileinclude", "*.c"}, {"fileinclude", "*.c;"}, {"fileinclude", "*.c"}};
    expected.insert(expected.end(), later.begin(), later.end());
    EXPECT_EQ(log.writes(), expected);
    window->close();
    expected.emplace_back("browser", "0");
    EXPECT_EQ(log.writes(), expected);

    EXPECT_TRUE(store.write(keys::Recurse, "No"));
    makeWindow();
    window->startUp({});
    EXPECT_FALSE(action("mnUseInternalBrowser")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optDateOrder")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optNoRecursion")->isChecked());
    EXPECT_EQ(child<QLineEdit>("txtfilter")->text(), "*.c");
    EXPECT_TRUE(store.write(keys::Recurse, "Depth"));
    makeWindow();
    window->startUp({});
    EXPECT_FALSE(child<QRadioButton>("optRecurseInfinite")->isChecked() ||
                 child<QRadioButton>("optNoRecursion")->isChecked());
}

// A folder that is a file holds no store, for root as for anyone. When it
// turns into one after start, the window says so once, at the first write
// that fails, and the quick options that fail after it say nothing more.
TEST_F(MainWindowTest, AStoreThatCannotBeWrittenIsReportedOnce) {
    const std::string folder = dir.folder("store-folder");
    SettingsStore blocked(folder + "/settings.sqlite");
    ui::frmMain blockedWindow(blocked, prompts, ui::MainPaths{scratch, dir / "log.txt"});
    blockedWindow.startUp({});
    std::filesystem::remove(folder);
    dir.file("store-folder");
    for (const char* button : {"optSizeOrder", "optNoRecursion", "optNameOrder"})
        blockedWindow.findChild<QRadioButton*>(button)->click();
    QTest::keyClicks(blockedWindow.findChild<QLineEdit*>("txtfilter"), "x");
    ASSERT_EQ(prompts.messages.size(), 1u);
    const ShownMessage& shown = prompts.messages[0];
    EXPECT_TRUE(shown.text.startsWith(QString::fromStdString("Settings store " + blocked.path() + " cannot be used (")))
        << shown.text.toStdString();
    EXPECT_EQ(shown.icon, QMessageBox::Warning);
}

TEST_F(MainWindowTest, LogEventsStartsAFreshLogAndRunsWriteToItOnlyWhileTicked) {
    const std::string logFile = dir / "log.txt";
    writeFile(logFile, "old run\r\n");
    window->startUp({});
    useDefaultBrowser();
    folderBox()->setText(QString::fromStdString(dir.folder("listed")));
    action("mnuLog")->trigger();
    EXPECT_EQ(readFile(logFile).find("old run"), std::string::npos);
    EXPECT_NE(readFile(logFile).find("SETTINGS\r\n"), std::string::npos);  // the settings summary
    action("mnPreview")->trigger();
    finishRun();
    EXPECT_NE(readFile(logFile).find("Make Report Called. Base Folder: " + dir / "listed"), std::string::npos);
    action("mnuLog")->trigger();
    const std::string stopped = readFile(logFile);
    action("mnPreview")->trigger();
    finishRun();
    EXPECT_EQ(readFile(logFile), stopped);
}

}  // namespace
}  // namespace quillory::test
