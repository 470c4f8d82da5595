// The settings dialog on a real store: what it shows on first opening, what
// OK stores for each control and shows again on reopening, what Cancel
// leaves, and what the main window's quick options show after OK.
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
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

// What the store holds for every key OK writes, and which of them are absent.
KeyValues storedValues(SettingsStore& store, std::vector<std::string>* absent = nullptr) {
    KeyValues values;
    for (const SettingKey* key : kAllKeys) {
        if (!writtenByOk(*key)) continue;
        const std::string marker = "\x01" "absent";
        const std::string text = store.read(*key, marker);
        if (text == marker && absent) absent->push_back(std::string(key->name));
        values[std::string(key->name)] = text;
    }
    return values;
}

Edit typeText(const char* box, const char* text) {
    return [=](QWidget& d) { control<QLineEdit>(d, box)->setText(text); };
}
Edit click(const char* button) {
    return [=](QWidget& d) { control<QAbstractButton>(d, button)->click(); };
}
Edit pickDateTime(const char* datePicker, const char* timePicker, QDate date, QTime time) {
    return [=](QWidget& d) {
        control<QDateEdit>(d, datePicker)->setDate(date);
        control<QTimeEdit>(d, timePicker)->setTime(time);
    };
}
Edit pickScheme(Qt::Key key) {
    return [=](QWidget& d) {
        auto* list = control<QComboBox>(d, "Combo1");
        QTest::keyClick(list, key);
    };
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
    EXPECT_EQ(dialog->windowTitle(), "Settings");
    auto* tabs = control<QTabWidget>(*dialog, "SSTab1");
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i) titles << tabs->tabText(i).remove('&');
    EXPECT_EQ(titles, QStringList({"File filter", "Output options", "Display columns", "HTML style options"}));
    // The captions keep their own spelling.
    QStringList frames;
    for (const QGroupBox* frame : dialog->findChildren<QGroupBox*>()) frames << frame->title();
    for (const char* title : {"File name filter. Use wildcards. Use semicolons to seperate entries.",
                              "Folder name filter. Use wildcards. Use semicolons to seperate entries.",
                              "Display  file size in", "Sort files by order :", "Recursion options"})
        EXPECT_TRUE(frames.contains(title)) << title;
    EXPECT_EQ(control<QAbstractButton>(*dialog, "optRecurseDepth")->text().remove('&'),
              "Recurse folder upto specified depth");
    EXPECT_EQ(control<QAbstractButton>(*dialog, "chShellExt")->text().remove('&'),
              "Add right-click shell extension to folders");
    EXPECT_EQ(control<QLabel>(*dialog, "lblFolder")->text(), "C:\\Brown fox");

    clickOK(*dialog);
    std::vector<std::string> absent;
    EXPECT_EQ(storedValues(store, &absent), defaults());
    EXPECT_TRUE(absent.empty());
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
        {"file skip", typeText("txtSkip", "~*"), {{"FileExclude", "~*"}}, "txtSkip", "~*"},
        {"folder include", typeText("txtIncludeFol", "src*"), {{"FolInclude", "src*"}}, "txtIncludeFol", "src*"},
        {"folder skip", typeText("txtSkipFol", "*/temp"), {{"FolExclude", "*/temp"}}, "txtSkipFol", "*/temp"},
        {"time filter", click("chFileTime"), {{"FileTime", "1"}}, "chFileTime", "on"},
        {"size filter", click("chFileSize"), {{"FileSize", "1"}}, "chFileSize", "on"},
        {"lower size as typed", typeText("txtFromSize", "12abc"), {{"FileSizeFrom", "12abc"}}, "txtFromSize", "12abc"},
        {"upper size as typed", typeText("txtToSize", " 4096 "), {{"FileSizeTo", " 4096 "}}, "txtToSize", " 4096 "},
        {"order by size", click("optSizeOrder"), {{"NoOrder", "0"}, {"SizeOrder", "1"}}, "optSizeOrder", "on"},
        {"order by name", click("optNameOrder"), {{"NoOrder", "0"}, {"NameOrder", "1"}}, "optNameOrder", "on"},
        {"order by extension", click("optExtOrder"), {{"NoOrder", "0"}, {"ExtOrder", "1"}}, "optExtOrder", "on"},
        {"order by type", click("optTypeOrder"), {{"NoOrder", "0"}, {"TypeOrder", "1"}}, "optTypeOrder", "on"},
        {"order by date", click("optDateOrder"), {{"NoOrder", "0"}, {"DateOrder", "1"}}, "optDateOrder", "on"},
        {"no recursion", click("optNoRecursion"), {{"Recurse", "No"}}, "optNoRecursion", "on"},
        {"recursion to a depth", click("optRecurseDepth"), {{"Recurse", "Depth"}}, "optRecurseDepth", "on"},
        {"depth as typed", typeText("txtDepth", "abc"), {{"RecurseDepth", "abc"}}, "txtDepth", "abc"},
        {"ignore empty folders", click("chkIgnore"), {{"IgnoreNoFiles", "1"}}, "chkIgnore", "on"},
        {"escape names", click("chkEscape"), {{"Escape", "1"}}, "chkEscape", "on"},
        {"name column off", click("chName"), {{"Name", "0"}}, "chName", "off"},
        {"type column off", click("chType"), {{"Type", "0"}}, "chType", "off"},
        {"extension column on", click("chExt"), {{"Ext", "1"}}, "chExt", "on"},
        {"size column off", click("chSize"), {{"Size", "0"}}, "chSize", "off"},
        {"time column off", click("chTime"), {{"DateTime", "0"}}, "chTime", "off"},
        {"attributes column on", click("chAttrib"), {{"Attrib", "1"}}, "chAttrib", "on"},
        {"name heading", typeText("Text1_0", "File"), {{"NameStr", "File"}}, "Text1_0", "File"},
        {"type heading in row 1", typeText("Text1_1", "Kind"), {{"TypeStr", "Kind"}}, "Text1_1", "Kind"},
        {"extension heading in row 2", typeText("Text1_2", "Suffix"), {{"ExtStr", "Suffix"}}, "Text1_2", "Suffix"},
        {"size heading", typeText("Text1_3", "Bytes"), {{"SizeStr", "Bytes"}}, "Text1_3", "Bytes"},
        {"empty date heading", typeText("Text1_4", ""), {{"DateStr", ""}}, "Text1_4", ""},
        {"attributes heading", typeText("Text1_5", "Bits"), {{"AttribStr", "Bits"}}, "Text1_5", "Bits"},
        {"type width in row 1", typeText("Text2_1", "25"), {{"TypeWidth", "25"}}, "Text2_1", "25"},
        {"extension width as typed", typeText("Text2_2", "wide"), {{"ExtWidth", "wide"}}, "Text2_2", "wide"},
        {"attributes width", typeText("Text2_5", "7"), {{"AttribWidth", "7"}}, "Text2_5", "7"},
        {"sizes in bytes", click("optByteSize"), {{"DisplayFileSize", "Bytes"}}, "optByteSize", "on"},
        {"sizes in kilobytes", click("optKBSize"), {{"DisplayFileSize", "Kb"}}, "optKBSize", "on"},
        {"sizes in megabytes", click("optMBSize"), {{"DisplayFileSize", "Mb"}}, "optMBSize", "on"},
        {"Brick Red", pickScheme(Qt::Key_End),
         {{"FileBack", "9803263"}, {"FileBackOdd", "13421823"}, {"FolBack", "128"}}, "lblFolder.back", "#800000"},
        {"Cool Green", pickScheme(Qt::Key_Home),
         {{"FileBack", "15794160"}, {"FileBackOdd", "13434327"}, {"FolBack", "2839808"}}, "lblFile.back", "#F0FFF0"},
    };
    for (const RoundTrip& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(store.removeAll());
        auto dialog = open();
        row.edit(*dialog);
        clickOK(*dialog);
        KeyValues expected = defaults();
        for (const auto& [key, value] : row.stored) expected[key] = value;
        EXPECT_EQ(storedValues(store), expected);
        auto again = open();
        EXPECT_EQ(controlText(*again, row.control), row.shownAgain);
    }
}

TEST_F(SettingsDialogTest, DateAndTimeOfEachBoundAreStoredTimeFirstAndShownAgain) {
    auto dialog = open();
    pickDateTime("DTPicker1", "DTPicker2", QDate(2008, 3, 18), QTime(14, 30, 59))(*dialog);
    pickDateTime("DTPicker3", "DTPicker4", QDate(2007, 12, 3), QTime(9, 5))(*dialog);
    clickOK(*dialog);
    EXPECT_EQ(store.read(keys::FileTimeFrom), "14:30 2008-03-18");
    EXPECT_EQ(quillory::test::storedText(store, "Tallyfold", "Filter", "FileTimeto"), "09:05 2007-12-03");
    auto again = open();
    EXPECT_EQ(controlText(*again, "DTPicker1"), "2008-03-18");
    EXPECT_EQ(controlText(*again, "DTPicker2"), "14:30");
    EXPECT_EQ(controlText(*again, "DTPicker3"), "2007-12-03");
    EXPECT_EQ(controlText(*again, "DTPicker4"), "09:05");
}

TEST_F(SettingsDialogTest, FillCurrentTimeSetsAllFourPickersAndStoresNothing) {
    EXPECT_TRUE(store.write(keys::FileTimeFrom, "14:30 2008-03-18"));
    EXPECT_TRUE(store.write(keys::FileTimeTo, "09:05 2007-12-03"));
    auto dialog = open();
    const std::string before = quillory::test::readFile(storePath);
    const PickerValues earlier = currentPickerValues();
    control<QAbstractButton>(*dialog, "cmdCurrentTime")->click();
    expectPickersBetween(*dialog, earlier, currentPickerValues());
    EXPECT_EQ(quillory::test::readFile(storePath), before);
}

TEST_F(SettingsDialogTest, DepthUpDownStepsByOneAndStopsAtAThousand) {
    auto dialog = open();
    auto* depth = control<QLineEdit>(*dialog, "txtDepth");
    depth->setText("999");
    QTest::keyClick(depth, Qt::Key_Up);
    EXPECT_EQ(depth->text(), "1000");
    QTest::keyClick(depth, Qt::Key_Up);
    EXPECT_EQ(depth->text(), "1000");
    QTest::keyClick(depth, Qt::Key_Down);
    EXPECT_EQ(depth->text(), "999");
}

struct Discard {
    const char* name;
    std::function<void(QDialog&)> leave;
};

TEST_F(SettingsDialogTest, CancelAndCloseLeaveTheStoreFileAsItWas) {
    const Discard rows[] = {
        {"Cancel", [](QDialog& d) { control<QAbstractButton>(d, "cmdCancel")->click(); }},
        {"close button", [](QDialog& d) { d.close(); }},
        {"Escape", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    };
    EXPECT_TRUE(store.write(keys::SizeStr, "Bytes"));  // a store with one key set and the others absent
    const std::string before = quillory::test::readFile(storePath);
    ASSERT_FALSE(before.empty());
    for (const Discard& row : rows) {
        SCOPED_TRACE(row.name);
        pickers.colours = {QColor("#123456")};
        auto dialog = open();
        dialog->show();
        typeText("txtInclude", "*.cpp")(*dialog);
        click("optRecurseDepth")(*dialog);
        pickScheme(Qt::Key_End)(*dialog);
        click("cmdBody")(*dialog);
        row.leave(*dialog);
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(quillory::test::readFile(storePath), before);
        EXPECT_EQ(controls.txtfilter->text(), "");
    }
}

TEST_F(SettingsDialogTest, CancelOnAnEmptyStoreCreatesNoFile) {
    auto dialog = open();
    typeText("txtInclude", "*.cpp")(*dialog);
    control<QAbstractButton>(*dialog, "cmdCancel")->click();
    EXPECT_FALSE(std::ifstream(storePath).good());
}

struct MainRefresh {
    const char* name;
    Edit edit;
    bool infinite;
    bool none;
};

TEST_F(SettingsDialogTest, OkRefreshesTheMainWindowsQuickOptions) {
    const MainRefresh rows[] = {
        {"Infinite", click("optRecurseInfinite"), true, false},
        {"No", click("optNoRecursion"), false, true},
        {"Depth", click("optRecurseDepth"), false, false},
    };
    for (const MainRefresh& row : rows) {
        SCOPED_TRACE(row.name);
        // The other state first, so that every change shows.
        controls.optRecurseInfinite->setChecked(!row.infinite);
        controls.optNoRecursion->setChecked(row.infinite);
        auto dialog = open();
        row.edit(*dialog);
        typeText("txtInclude", row.name)(*dialog);
        click("optDateOrder")(*dialog);
        clickOK(*dialog);
        EXPECT_EQ(controls.optRecurseInfinite->isChecked(), row.infinite);
        EXPECT_EQ(controls.optNoRecursion->isChecked(), row.none);
        EXPECT_EQ(controls.txtfilter->text(), row.name);
        EXPECT_TRUE(controls.optDateOrder->isChecked());
        EXPECT_FALSE(controls.optNoOrder->isChecked());
    }
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
        {"order flag with a leading number", &keys::SizeOrder, "3abc", "optSizeOrder", "on", "1"},
        {"recursion word in other case", &keys::Recurse, "infinite", "optRecurseInfinite", "off", ""},
        {"unknown recursion word", &keys::Recurse, "Deep", "optRecurseDepth", "off", ""},
        {"size unit in other case", &keys::DisplayFileSize, "KB", "optKBSize", "off", ""},
        {"unknown size unit", &keys::DisplayFileSize, "Gb", "optDynamicSize", "off", ""},
        {"check box number 2", &keys::FileTime, "2", "chFileTime", "off", "0"},
        {"check box leading 1", &keys::FileSize, "1abc", "chFileSize", "on", "1"},
        {"column flag letters", &keys::Type, "on", "chType", "off", "0"},
        {"empty ignore flag", &keys::IgnoreNoFiles, "", "chkIgnore", "off", "0"},
        {"date alone", &keys::FileTimeFrom, "2008-03-18", "DTPicker2", "00:00", "00:00 2008-03-18"},
        {"general date text", &keys::FileTimeTo, "2007-12-03 14:30:05", "DTPicker3", "2007-12-03",
         "14:30 2007-12-03"},
        {"colour letters", &keys::FileBack, "grey", "lblFile.back", "#BFBFBF", "12566463"},
        {"half size rounds to even below", &keys::FileFontSize, "10.5", "lblFile.font", "Tahoma 10", "10"},
        {"size letters", &keys::FileFontSize, "big", "lblFile.font", "Tahoma 10", "10"},
        {"empty face", &keys::FileFont, "", "lblFile.font", " 10", ""},
    };
    for (const BadValue& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(store.removeAll());
        EXPECT_TRUE(store.write(*row.key, row.stored));
        auto dialog = open();
        EXPECT_EQ(controlText(*dialog, row.control), row.shown);
        clickOK(*dialog);
        EXPECT_EQ(store.read(*row.key), row.storedOnOK);
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
