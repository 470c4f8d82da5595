// The program in the user's language, loaded as the program loads it: the
// German main window and settings dialog, Qt's own texts with them, and no
// translation at all in the C and English locales.
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "ui/auxiliary/translations.h"
#include "ui/main/main_window_fixture.h"
#include "ui/settings/settings_dialog_fixture.h"

namespace quillory::test {
namespace {

struct LocaleRow {
    const char* name;
    bool translated;
};

class LocaleChoice : public ::testing::TestWithParam<LocaleRow> {};

TEST_P(LocaleChoice, TranslatesOnlyWhereThereIsATranslation) {
    const ui::Translations translations{QLocale(QString::fromLatin1(GetParam().name))};
    EXPECT_EQ(translations.loaded(), GetParam().translated);
    EXPECT_EQ(QCoreApplication::translate("quillory::ui::frmMain", "&Listing"),
              GetParam().translated ? "&Liste" : "&Listing");
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleChoice,
                         ::testing::Values(LocaleRow{"C", false}, LocaleRow{"en_US", false}, LocaleRow{"en_GB", false},
                                           LocaleRow{"de_DE", true}, LocaleRow{"de_AT", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The translator is in place before the window is made, as in main().
class GermanMainWindow : public MainWindowTest {
protected:
    ui::Translations german{QLocale(QLocale::German, QLocale::Germany)};
};

TEST_F(GermanMainWindow, MenusToolbarFramesAndQtsOwnButtonsAreGerman) {
    ASSERT_TRUE(german.loaded());
    struct Row {
        const char* action;
        const char* text;
    };
    for (const Row& row : {Row{"mnOpen", "Quellordner &öffnen"}, Row{"mnSave", "Als &HTM speichern"},
                           Row{"mnStop", "Erstellung &stoppen"}, Row{"mnUseInternalBrowser", "Internen Browser verwenden"},
                           Row{"tbSave", "Speichern"}, Row{"tbMapDrive", "Verbinden"}})
        EXPECT_EQ(action(row.action)->text().toStdString(), row.text) << row.action;
    EXPECT_EQ(action("tbStop")->toolTip(), "Laufenden Vorgang abbrechen");
    EXPECT_EQ(child<QGroupBox>("Frame5")->title(), "Dateien sortieren nach:");
    EXPECT_EQ(window->windowTitle(), "Quillory");
    // The checks before a run speak German too, the title included.
    folderBox()->clear();
    clickTool("tbSave");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Bitte wählen Sie einen Ordner.");
    EXPECT_EQ(prompts.messages[0].title, "Fehler");
    // Qt's own buttons follow.
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&'), "Abbrechen");
}

}  // namespace
}  // namespace quillory::test

namespace quillory::ui::test {
namespace {

class GermanSettingsDialog : public SettingsDialogTest {
protected:
    Translations german{QLocale(QLocale::German, QLocale::Germany)};
};

TEST_F(GermanSettingsDialog, PagesAndCaptionsAreGerman) {
    ASSERT_TRUE(german.loaded());
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), "Einstellungen");
    auto* tabs = control<QTabWidget>(*dialog, "SSTab1");
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i) titles << tabs->tabText(i);
    EXPECT_EQ(titles, QStringList({"Datei&filter", "&Ausgabeoptionen", "Angezeigte &Spalten", "&HTML-Stiloptionen"}));
    struct Row {
        const char* control;
        const char* text;
    };
    for (const Row& row : {Row{"chkEscape", "Namen für HTML- und CSV-Leser maskieren"},
                           Row{"optDynamicSize", "D&ynamisch (automatisch)"}, Row{"cmdCancel", "Abbrechen"},
                           Row{"chTime", "&Datum/Uhrzeit"}, Row{"cmdFileRowOdd", "Hintergrund &ungerader Zeilen"}})
        EXPECT_EQ(control<QAbstractButton>(*dialog, QString::fromLatin1(row.control))->text().toStdString(), row.text)
            << row.control;
    // A sample is the listing's text, not the dialog's: it stays as stored.
    EXPECT_EQ(control<QLabel>(*dialog, "lblFolder")->text(), "C:\\Brown fox");
}

}  // namespace
}  // namespace quillory::ui::test
