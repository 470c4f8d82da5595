// The quick options reach the store the moment the user changes them, in
// the writers' exact order; start-up and closing restore and keep them.
#include <sqlite3.h>

#include <QCloseEvent>
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
        sqlite3* db = nullptr;
        sqlite3_open(m_path.c_str(), &db);
        sqlite3_stmt* query = nullptr;
        sqlite3_prepare_v2(db, "SELECT CAST(name AS TEXT), CAST(value AS TEXT) FROM write_log ORDER BY rowid", -1,
                           &query, nullptr);
        while (sqlite3_step(query) == SQLITE_ROW)
            out.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(query, 0)),
                             reinterpret_cast<const char*>(sqlite3_column_text(query, 1)));
        sqlite3_finalize(query);
        sqlite3_close(db);
        return out;
    }

private:
    void exec(const char* sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(m_path.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
    std::string m_path;
};

Writes orderWrites(const std::string& selected) {
    Writes out;
    for (const char* key : {"noorder", "extorder", "sizeorder", "typeorder", "dateorder", "nameorder"})
        out.emplace_back(key, key == selected ? "1" : "0");
    return out;
}

// An empty store starts with the defaults and is not created by that; then
// every click of an order button, the checked one first, writes all six keys.
TEST_F(MainWindowTest, EmptyStoreStartsWithDefaultsAndAnOrderClickWritesAllSixKeys) {
    window->startUp({});
    EXPECT_TRUE(action("mnUseInternalBrowser")->isChecked());
    EXPECT_FALSE(action("mnuLog")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optNoOrder")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optRecurseInfinite")->isChecked());
    EXPECT_EQ(child<QLineEdit>("txtfilter")->text(), "*");
    EXPECT_FALSE(std::filesystem::exists(store.path()));
    WriteLog log(store);
    const std::pair<const char*, const char*> buttons[] = {
        {"optNoOrder", "noorder"},   {"optNameOrder", "nameorder"}, {"optSizeOrder", "sizeorder"},
        {"optExtOrder", "extorder"}, {"optTypeOrder", "typeorder"}, {"optDateOrder", "dateorder"}};
    Writes expected;
    for (const auto& [button, key] : buttons) {
        click(button);
        const Writes one = orderWrites(key);
        expected.insert(expected.end(), one.begin(), one.end());
    }
    EXPECT_EQ(log.writes(), expected);
}

TEST_F(MainWindowTest, StoredOptionsAreShown) {
    EXPECT_TRUE(store.write(keys::NoOrder, "0"));
    EXPECT_TRUE(store.write(keys::DateOrder, "1"));
    EXPECT_TRUE(store.write(keys::Recurse, "No"));
    EXPECT_TRUE(store.write(keys::FileInclude, "*.txt;*.doc"));
    window->startUp({});
    EXPECT_TRUE(child<QRadioButton>("optDateOrder")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optNoRecursion")->isChecked());
    EXPECT_EQ(child<QLineEdit>("txtfilter")->text(), "*.txt;*.doc");
}

// A stored depth leaves both recursion buttons clear; each click, and each
// keystroke in the filter, is written at once.
TEST_F(MainWindowTest, DepthLeavesBothRecursionButtonsClearAndEveryChangeIsWritten) {
    EXPECT_TRUE(store.write(keys::Recurse, "Depth"));
    window->startUp({});
    EXPECT_FALSE(child<QRadioButton>("optRecurseInfinite")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("optNoRecursion")->isChecked());
    auto* filter = child<QLineEdit>("txtfilter");
    filter->clear();
    WriteLog log(store);
    click("optNoRecursion");
    click("optRecurseInfinite");
    QTest::keyClicks(filter, "*.c;");
    QTest::keyClick(filter, Qt::Key_Backspace);
    EXPECT_EQ(log.writes(), (Writes{{"recurse", "No"}, {"recurse", "Infinite"}, {"fileinclude", "*"},
                                    {"fileinclude", "*."}, {"fileinclude", "*.c"}, {"fileinclude", "*.c;"},
                                    {"fileinclude", "*.c"}}));
}

// A folder that is a file holds no store, for root as for anyone. The
// window says so once a session, at start or at the first write that fails,
// and the quick options that fail after it say nothing more.
struct BlockedRow {
    const char* name;
    bool blockedAtStart;  // else the folder turns into a file after start
};

class BlockedStore : public MainWindowTest, public ::testing::WithParamInterface<BlockedRow> {};

TEST_P(BlockedStore, SaysSoOnce) {
    const std::string folder = dir / "store-folder";
    if (GetParam().blockedAtStart) dir.file("store-folder");
    else dir.folder("store-folder");
    SettingsStore blocked(folder + "/settings.sqlite");
    ui::frmMain blockedWindow(blocked, prompts, ui::MainPaths{scratch, dir / "log.txt"});
    blockedWindow.startUp({});
    EXPECT_EQ(prompts.messages.size(), GetParam().blockedAtStart ? 1u : 0u);
    if (!GetParam().blockedAtStart) {
        std::filesystem::remove(folder);
        dir.file("store-folder");
    }
    for (const char* button : {"optSizeOrder", "optNoRecursion", "optNameOrder"})
        blockedWindow.findChild<QRadioButton*>(button)->click();
    QTest::keyClicks(blockedWindow.findChild<QLineEdit*>("txtfilter"), "x");
    ASSERT_EQ(prompts.messages.size(), 1u);
    const ShownMessage& shown = prompts.messages[0];
    EXPECT_TRUE(shown.text.startsWith(QString::fromStdString("Settings store " + blocked.path() + " cannot be used (")))
        << shown.text.toStdString();
    EXPECT_EQ(shown.icon, QMessageBox::Warning);
}

INSTANTIATE_TEST_SUITE_P(When, BlockedStore,
                         ::testing::Values(BlockedRow{"AtStart", true}, BlockedRow{"AtTheFirstFailingWrite", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, PreviewTickIsKeptAtClosingOnly) {
    window->startUp({});
    WriteLog log(store);
    action("mnUseInternalBrowser")->trigger();
    EXPECT_TRUE(log.writes().empty());
    window->close();
    EXPECT_EQ(log.writes(), (Writes{{"browser", "0"}}));
    makeWindow();
    window->startUp({});
    EXPECT_FALSE(action("mnUseInternalBrowser")->isChecked());
}

TEST_F(MainWindowTest, LogEventsStartsAFreshLogAndRunsWriteToItOnlyWhileTicked) {
    const std::string logFile = dir / "log.txt";
    { std::ofstream(logFile) << "old run\r\n"; }
    window->startUp({});
    useDefaultBrowser();
    folderBox()->setText(QString::fromStdString(dir.folder("listed")));
    action("mnuLog")->trigger();
    const std::string started = readFile(logFile);
    EXPECT_EQ(started.find("old run"), std::string::npos);
    EXPECT_NE(started.find("\r\n"), std::string::npos);
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
