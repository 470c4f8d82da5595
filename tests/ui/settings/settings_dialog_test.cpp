// The settings dialog on a real store: what it shows on first opening, what
// OK stores for each control and shows again on reopening, and what Cancel
// leaves.
#include <QComboBox>
#include <QDateEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>
#include <fstream>
#include <functional>
#include <map>

#include "settings_dialog_fixture.h"
#include "support/golden.h"
#include "support/temp_store.h"
#include "ui/settings/stored_date_time.h"

namespace quillory::ui::test {
namespace {

using Edit = std::function<void(QWidget&)>;
using KeyValues = std::map<std::string, std::string>;

// Every key OK writes (all but the preview tick and the two date-time
// bounds, which depend on the clock and are checked apart): what the store
// holds, an absent key read as a text no control can store; without a store,
// what OK stores when nothing was changed, the key table's defaults.
KeyValues okKeys(SettingsStore* store = nullptr) {
    KeyValues values;
    for (const SettingKey* key : kAllKeys)
        if (key != &keys::Browser && !key->defaultIsNow())
            values[std::string(key->name)] = store ? store->read(*key, "\x01" "absent") : std::string(key->def);
    return values;
}

Edit typeText(const char* box, const char* text) {
    return [=](QWidget& d) { control<QLineEdit>(d, box)->setText(text); };
}
Edit click(const char* button) {
    return [=](QWidget& d) { control<QAbstractButton>(d, button)->click(); };
}
Edit pickScheme(Qt::Key key) {
    return [=](QWidget& d) { QTest::keyClick(control<QComboBox>(d, "Combo1"), key); };
}

// From the default 6: up, up, down.
void stepDepth(QWidget& d) {
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down}) QTest::keyClick(control<QLineEdit>(d, "txtDepth"), key);
}

// All four pickers show a moment read between `before` and `after`.
void expectPickersBetween(QWidget& dialog, const PickerValues& before, const PickerValues& after) {
    for (const auto& [date, time] : {std::pair{"DTPicker1", "DTPicker2"}, {"DTPicker3", "DTPicker4"}}) {
        const QDateTime shown(control<QDateEdit>(dialog, date)->date(), control<QTimeEdit>(dialog, time)->time());
        EXPECT_TRUE(shown >= QDateTime(before.date, before.time).addSecs(-1) &&
                    shown <= QDateTime(after.date, after.time).addSecs(1))
            << date;
    }
}

// The first opening shows the defaults, and OK without changes stores them
// all: the rows are the controls whose shown default OK does not store.
TEST_F(SettingsDialogTest, FirstOpeningShowsTheDefaultsAndOkStoresThem) {
    const std::pair<const char*, const char*> rows[] = {
        {"chShellExt", "off"},         {"Combo1", "-1"},               {"lblBody.back", "#FFFFFF"},
        {"lblFolder.text", "#FFFFFF"}, {"lblFolder.font", "Tahoma 10"}, {"lblFile.back", "#BFBFBF"},
        {"lblFile.font", "Tahoma 10"}, {"optDynamicSize", "on"},        {"txtDepth", "6"},
    };
    const PickerValues before = currentPickerValues();
    auto dialog = open();
    const PickerValues after = currentPickerValues();
    const QSignalSpy saved(dialog.get(), &frmSettings::optionsSaved);  // the main window re-reads its quick options
    for (const auto& [name, expected] : rows) EXPECT_EQ(controlText(*dialog, name), expected) << name;
    expectPickersBetween(*dialog, before, after);

    clickOK(*dialog);
    EXPECT_EQ(okKeys(&store), okKeys());
    EXPECT_FALSE(std::ifstream(log.path).good());  // not logging
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(saved.count(), 1);
    // The bounds are the pickers' "now" at opening, stored without seconds.
    const QDateTime opened(before.date, QTime(before.time.hour(), before.time.minute()));
    for (const SettingKey* bound : {&keys::FileTimeFrom, &keys::FileTimeTo}) {
        const auto values = pickerValues(store.read(*bound, "absent"));
        ASSERT_TRUE(values) << bound->name;
        const QDateTime stored(values->date, values->time);
        EXPECT_TRUE(stored >= opened && stored <= QDateTime::currentDateTime()) << bound->name;
        EXPECT_EQ(values->time.second(), 0);
    }
}

// A picked colour is stored as a decimal number with red in the low byte.
// While logging, each OK appends the settings summary.
TEST_F(SettingsDialogTest, OkStoresEachControlInItsKeyAndShowsItAgain) {
    log.LoggingOn = true;
    const auto pick = [this](const char* button) -> Edit {
        return [this, button](QWidget& d) {
            pickers.colours = {QColor("#123456")};
            click(button)(d);
        };
    };
    const struct {
        const char* name;
        Edit edit;
        KeyValues stored;  // the keys that differ from the defaults after OK
        const char* control;
        const char* shownAgain;
    } rows[] = {
        {"file include", typeText("txtInclude", "*.txt;*.doc"), {{"FileInclude", "*.txt;*.doc"}}, "txtInclude",
         "*.txt;*.doc"},
        {"order by date", click("optDateOrder"), {{"NoOrder", "0"}, {"DateOrder", "1"}}, "optDateOrder", "on"},
        {"recursion to a depth", click("optRecurseDepth"), {{"Recurse", "Depth"}}, "optRecurseDepth", "on"},
        {"depth as typed", typeText("txtDepth", "abc"), {{"RecurseDepth", "abc"}}, "txtDepth", "abc"},
        {"depth stepped by the arrow keys", stepDepth, {{"RecurseDepth", "7"}}, "txtDepth", "7"},
        {"escape names", click("chkEscape"), {{"Escape", "1"}}, "chkEscape", "on"},
        {"name column off", click("chName"), {{"Name", "0"}}, "chName", "off"},
        {"type heading in row 1", typeText("Text1_1", "Kind"), {{"TypeStr", "Kind"}}, "Text1_1", "Kind"},
        {"attributes width", typeText("Text2_5", "7"), {{"AttribWidth", "7"}}, "Text2_5", "7"},
        {"sizes in kilobytes", click("optKBSize"), {{"DisplayFileSize", "Kb"}}, "optKBSize", "on"},
        {"Brick Red", pickScheme(Qt::Key_End),
         {{"FileBack", "9803263"}, {"FileBackOdd", "13421823"}, {"FolBack", "128"}}, "lblFolder.back", "#800000"},
        {"body colour", pick("cmdBody"), {{"BodyBack", "5649426"}}, "lblBody.back", "#123456"},
        {"folder colour", pick("cmdFolderBack"), {{"FolBack", "5649426"}}, "lblFolder.back", "#123456"},
        {"even rows colour", pick("cmdFileRowEven"), {{"FileBack", "5649426"}}, "lblFile.back", "#123456"},
        {"Brick Red, then odd rows picked",
         [&](QWidget& d) {
             pickScheme(Qt::Key_End)(d);
             pick("cmdFileRowOdd")(d);
         },
         {{"FileBack", "9803263"}, {"FileBackOdd", "5649426"}, {"FolBack", "128"}}, "lblFileOdd.back", "#123456"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(store.removeAll());
        auto dialog = open();
        row.edit(*dialog);
        clickOK(*dialog);
        KeyValues expected = okKeys();
        for (const auto& [key, value] : row.stored) expected[key] = value;
        EXPECT_EQ(okKeys(&store), expected) << row.name;
        EXPECT_EQ(controlText(*open(), row.control), row.shownAgain) << row.name;
    }
    const std::string logged = quillory::test::readFile(log.path);
    EXPECT_NE(logged.find("SETTINGS\r\n"), std::string::npos);
    EXPECT_NE(logged.find("Recursion: Depth\r\n"), std::string::npos);
}

// Each bound is stored time first; Fill Current Time then sets all four
// pickers and stores nothing.
TEST_F(SettingsDialogTest, DateAndTimeOfEachBoundAreStoredAndShownAgain) {
    auto dialog = open();
    control<QDateEdit>(*dialog, "DTPicker1")->setDate(QDate(2008, 3, 18));
    control<QTimeEdit>(*dialog, "DTPicker2")->setTime(QTime(14, 30, 59));
    control<QDateEdit>(*dialog, "DTPicker3")->setDate(QDate(2007, 12, 3));
    control<QTimeEdit>(*dialog, "DTPicker4")->setTime(QTime(9, 5));
    clickOK(*dialog);
    EXPECT_EQ(store.read(keys::FileTimeFrom), "14:30 2008-03-18");
    EXPECT_EQ(quillory::test::storedText(store, "Tallyfold", "Filter", "FileTimeto"), "09:05 2007-12-03");
    auto again = open();
    QStringList shown;
    for (const char* picker : {"DTPicker1", "DTPicker2", "DTPicker3", "DTPicker4"})
        shown << controlText(*again, picker);
    EXPECT_EQ(shown.join(' '), "2008-03-18 14:30 2007-12-03 09:05");
    const std::string before = quillory::test::readFile(storePath);
    const PickerValues earlier = currentPickerValues();
    control<QAbstractButton>(*again, "cmdCurrentTime")->click();
    expectPickersBetween(*again, earlier, currentPickerValues());
    EXPECT_EQ(quillory::test::readFile(storePath), before);
}

// A store with one key set and the others absent, or none at all: the
// file stays as it was, or absent.
TEST_F(SettingsDialogTest, CancelAndEscapeLeaveTheStoreFileAsItWas) {
    const struct {
        const char* name;
        bool stored;
        std::function<void(QDialog&)> leave;
    } rows[] = {{"CancelOnAnEmptyStore", false, [](QDialog& d) { control<QAbstractButton>(d, "cmdCancel")->click(); }},
                {"EscapeOnAStore", true, [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }}};
    for (const auto& row : rows) {
        EXPECT_TRUE(!row.stored || store.write(keys::SizeStr, "Bytes"));
        const bool existed = std::ifstream(storePath).good();
        const std::string before = quillory::test::readFile(storePath);
        pickers.colours = {QColor("#123456")};
        auto dialog = open();
        const QSignalSpy saved(dialog.get(), &frmSettings::optionsSaved);
        dialog->show();
        typeText("txtInclude", "*.cpp")(*dialog);
        click("optRecurseDepth")(*dialog);
        pickScheme(Qt::Key_End)(*dialog);
        click("cmdBody")(*dialog);
        row.leave(*dialog);
        EXPECT_FALSE(dialog->isVisible()) << row.name;
        EXPECT_EQ(std::ifstream(storePath).good(), existed) << row.name;
        EXPECT_EQ(quillory::test::readFile(storePath), before) << row.name;
        EXPECT_EQ(saved.count(), 0) << row.name;
    }
}

TEST_F(SettingsDialogTest, UnexpectedStoredValuesLoadAsTheReadersSay) {
    const struct {
        const char* name;
        const SettingKey* key;
        const char *stored, *control, *shown;
        const char* storedOnOK;  // what OK writes back, unchanged
    } rows[] = {
        {"order flag without a number", &keys::NoOrder, "yes", "optNoOrder", "off", "0"},
        {"unknown recursion word", &keys::Recurse, "Deep", "optRecurseDepth", "off", ""},
        {"unknown size unit", &keys::DisplayFileSize, "Gb", "optDynamicSize", "off", ""},
        {"check box leading 1", &keys::FileSize, "1abc", "chFileSize", "on", "1"},
        {"date alone", &keys::FileTimeFrom, "2008-03-18", "DTPicker2", "00:00", "00:00 2008-03-18"},
        {"colour letters", &keys::FileBack, "grey", "lblFile.back", "#BFBFBF", "12566463"},
        {"half size rounds to even below", &keys::FileFontSize, "10.5", "lblFile.font", "Tahoma 10", "10"},
        {"empty face", &keys::FileFont, "", "lblFile.font", " 10", ""},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(store.removeAll());
        EXPECT_TRUE(store.write(*row.key, row.stored));
        auto dialog = open();
        EXPECT_EQ(controlText(*dialog, row.control), row.shown) << row.name;
        clickOK(*dialog);
        EXPECT_EQ(store.read(*row.key), row.storedOnOK) << row.name;
    }
    EXPECT_TRUE(store.write(keys::FileTimeFrom, "yesterday"));  // unreadable: the pickers keep the current time
    EXPECT_EQ(control<QDateEdit>(*open(), "DTPicker1")->date(), currentPickerValues().date);
}

}  // namespace
}  // namespace quillory::ui::test
