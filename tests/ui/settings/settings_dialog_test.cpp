// The settings dialog on a real store: what it shows on first opening, what
// OK stores for each control and shows again on reopening, what Cancel
// leaves, and what the main window's quick options show after OK.
#include <QComboBox>
#include <QDateEdit>
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
// bounds, which depend on the clock and are checked apart), with what OK
// stores when nothing was changed: the key table's defaults.
bool writtenByOk(const SettingKey& key) { return &key != &keys::Browser && !key.defaultIsNow(); }

KeyValues defaults() {
    KeyValues values;
    for (const SettingKey* key : kAllKeys)
        if (writtenByOk(*key)) values[std::string(key->name)] = std::string(key->def);
    return values;
}

// What the store holds for every key OK writes; an absent key reads as a
// text no control can store.
KeyValues storedValues(SettingsStore& store) {
    KeyValues values;
    for (const SettingKey* key : kAllKeys)
        if (writtenByOk(*key)) values[std::string(key->name)] = store.read(*key, "\x01" "absent");
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

// All four pickers show a moment read between `before` and `after`.
void expectPickersBetween(QWidget& dialog, const PickerValues& before, const PickerValues& after) {
    for (const char* name : {"DTPicker1", "DTPicker3"}) {
        const QDate shown = control<QDateEdit>(dialog, name)->date();
        EXPECT_TRUE(shown == before.date || shown == after.date) << name;
    }
    for (const char* name : {"DTPicker2", "DTPicker4"}) {
        const QTime shown = control<QTimeEdit>(dialog, name)->time();
        EXPECT_TRUE(shown >= before.time.addSecs(-1) && shown <= after.time.addSecs(1)) << name;
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
    for (const auto& [name, expected] : rows) EXPECT_EQ(controlText(*dialog, name), expected) << name;
    expectPickersBetween(*dialog, before, after);

    clickOK(*dialog);
    EXPECT_EQ(storedValues(store), defaults());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
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

struct RoundTrip {
    const char* name;
    Edit edit;
    KeyValues stored;  // the keys that differ from the defaults after OK
    const char* control;
    const char* shownAgain;
};

TEST_F(SettingsDialogTest, OkStoresEachControlInItsKeyAndShowsItAgain) {
    const RoundTrip rows[] = {
        {"file include", typeText("txtInclude", "*.txt;*.doc"), {{"FileInclude", "*.txt;*.doc"}}, "txtInclude",
         "*.txt;*.doc"},
        {"order by date", click("optDateOrder"), {{"NoOrder", "0"}, {"DateOrder", "1"}}, "optDateOrder", "on"},
        {"recursion to a depth", click("optRecurseDepth"), {{"Recurse", "Depth"}}, "optRecurseDepth", "on"},
        {"depth as typed", typeText("txtDepth", "abc"), {{"RecurseDepth", "abc"}}, "txtDepth", "abc"},
        {"escape names", click("chkEscape"), {{"Escape", "1"}}, "chkEscape", "on"},
        {"name column off", click("chName"), {{"Name", "0"}}, "chName", "off"},
        {"type heading in row 1", typeText("Text1_1", "Kind"), {{"TypeStr", "Kind"}}, "Text1_1", "Kind"},
        {"attributes width", typeText("Text2_5", "7"), {{"AttribWidth", "7"}}, "Text2_5", "7"},
        {"sizes in kilobytes", click("optKBSize"), {{"DisplayFileSize", "Kb"}}, "optKBSize", "on"},
        {"Brick Red", pickScheme(Qt::Key_End),
         {{"FileBack", "9803263"}, {"FileBackOdd", "13421823"}, {"FolBack", "128"}}, "lblFolder.back", "#800000"},
    };
    for (const RoundTrip& row : rows) {
        ASSERT_TRUE(store.removeAll());
        auto dialog = open();
        row.edit(*dialog);
        clickOK(*dialog);
        KeyValues expected = defaults();
        for (const auto& [key, value] : row.stored) expected[key] = value;
        EXPECT_EQ(storedValues(store), expected) << row.name;
        EXPECT_EQ(controlText(*open(), row.control), row.shownAgain) << row.name;
    }
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

TEST_F(SettingsDialogTest, DepthUpDownStepsTheBox) {
    auto dialog = open();
    auto* depth = control<QLineEdit>(*dialog, "txtDepth");
    depth->setText("999");
    QTest::keyClick(depth, Qt::Key_Up);
    EXPECT_EQ(depth->text(), "1000");
    QTest::keyClick(depth, Qt::Key_Down);
    EXPECT_EQ(depth->text(), "999");
}

// A store with one key set and the others absent, or none at all: the
// file stays as it was, or absent.
TEST_F(SettingsDialogTest, CancelAndEscapeLeaveTheStoreFileAsItWas) {
    const auto cancel = [](QDialog& d) { control<QAbstractButton>(d, "cmdCancel")->click(); };
    const struct {
        const char* name;
        bool stored;
        std::function<void(QDialog&)> leave;
    } rows[] = {{"CancelOnAnEmptyStore", false, cancel},
                {"Cancel", true, cancel},
                {"Escape", true, [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }}};
    for (const auto& row : rows) {
        if (row.stored) {
            EXPECT_TRUE(store.write(keys::SizeStr, "Bytes"));
        }
        const bool existed = std::ifstream(storePath).good();
        const std::string before = quillory::test::readFile(storePath);
        pickers.colours = {QColor("#123456")};
        auto dialog = open();
        dialog->show();
        typeText("txtInclude", "*.cpp")(*dialog);
        click("optRecurseDepth")(*dialog);
        pickScheme(Qt::Key_End)(*dialog);
        click("cmdBody")(*dialog);
        row.leave(*dialog);
        EXPECT_FALSE(dialog->isVisible()) << row.name;
        EXPECT_EQ(std::ifstream(storePath).good(), existed) << row.name;
        EXPECT_EQ(quillory::test::readFile(storePath), before) << row.name;
        EXPECT_EQ(controls.txtfilter->text(), "");
    }
}

// What the quick options show for each stored value is the main window's
// start-up tests'; here OK's signal reaches them.
TEST_F(SettingsDialogTest, OkRefreshesTheMainWindowsQuickOptions) {
    controls.optRecurseInfinite->setChecked(true);  // the other state first, so that the change shows
    auto dialog = open();
    click("optNoRecursion")(*dialog);
    typeText("txtInclude", "*.c")(*dialog);
    click("optDateOrder")(*dialog);
    clickOK(*dialog);
    EXPECT_TRUE(controls.optNoRecursion->isChecked());
    EXPECT_FALSE(controls.optRecurseInfinite->isChecked());
    EXPECT_EQ(controls.txtfilter->text(), "*.c");
    EXPECT_TRUE(controls.optDateOrder->isChecked());
}

struct BadValue {
    const char* name;
    const SettingKey* key;
    const char* stored;
    const char* control;
    const char* shown;
    const char* storedOnOK;  // what OK writes back, unchanged
};

TEST_F(SettingsDialogTest, UnexpectedStoredValuesLoadAsTheReadersSay) {
    const BadValue rows[] = {
        {"order flag without a number", &keys::NoOrder, "yes", "optNoOrder", "off", "0"},
        {"unknown recursion word", &keys::Recurse, "Deep", "optRecurseDepth", "off", ""},
        {"unknown size unit", &keys::DisplayFileSize, "Gb", "optDynamicSize", "off", ""},
        {"check box leading 1", &keys::FileSize, "1abc", "chFileSize", "on", "1"},
        {"date alone", &keys::FileTimeFrom, "2008-03-18", "DTPicker2", "00:00", "00:00 2008-03-18"},
        {"colour letters", &keys::FileBack, "grey", "lblFile.back", "#BFBFBF", "12566463"},
        {"half size rounds to even below", &keys::FileFontSize, "10.5", "lblFile.font", "Tahoma 10", "10"},
        {"empty face", &keys::FileFont, "", "lblFile.font", " 10", ""},
    };
    for (const BadValue& row : rows) {
        ASSERT_TRUE(store.removeAll());
        EXPECT_TRUE(store.write(*row.key, row.stored));
        auto dialog = open();
        EXPECT_EQ(controlText(*dialog, row.control), row.shown) << row.name;
        clickOK(*dialog);
        EXPECT_EQ(store.read(*row.key), row.storedOnOK) << row.name;
    }
}

TEST_F(SettingsDialogTest, UnreadableDatesLeaveThePickersAtTheCurrentTime) {
    EXPECT_TRUE(store.write(keys::FileTimeFrom, "yesterday"));
    auto dialog = open();
    EXPECT_EQ(control<QDateEdit>(*dialog, "DTPicker1")->date(), currentPickerValues().date);
}

TEST_F(SettingsDialogTest, OkAppendsTheSettingsSummaryOnlyWhileLogging) {
    auto quiet = open();
    clickOK(*quiet);
    EXPECT_FALSE(std::ifstream(log.path).good());

    log.LoggingOn = true;
    auto logged = open();
    click("optRecurseDepth")(*logged);
    clickOK(*logged);
    const std::string text = quillory::test::readFile(log.path);
    EXPECT_NE(text.find("SETTINGS\r\n"), std::string::npos);
    EXPECT_NE(text.find("Recursion: Depth\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quillory::ui::test
