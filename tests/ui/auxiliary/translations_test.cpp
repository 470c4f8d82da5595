// The program in the user's language, loaded as the program loads it: the
// German main window and settings dialog, Qt's own texts with them, and no
// translation at all in the C and English locales.
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

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
                         ::testing::Values(LocaleRow{"C", false}, LocaleRow{"en_GB", false}, LocaleRow{"de_AT", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The translator is in place before the window is made, as in main().
class GermanMainWindow : public MainWindowTest {
protected:
    ui::Translations german{QLocale(QLocale::German, QLocale::Germany)};
};

TEST_F(GermanMainWindow, MenusMessagesAndQtsOwnButtonsAreGerman) {
    ASSERT_TRUE(german.loaded());
    EXPECT_EQ(action("mnOpen")->text(), "Quellordner &öffnen");
    EXPECT_EQ(action("tbStop")->toolTip(), "Laufenden Vorgang abbrechen");
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

TEST_F(GermanSettingsDialog, CaptionsAreGerman) {
    ASSERT_TRUE(german.loaded());
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), "Einstellungen");
    EXPECT_EQ(control<QAbstractButton>(*dialog, "chkEscape")->text(), "Namen für HTML- und CSV-Leser maskieren");
    // A sample is the listing's text, not the dialog's: it stays as stored.
    EXPECT_EQ(control<QLabel>(*dialog, "lblFolder")->text(), "C:\\Brown fox");
}

}  // namespace
}  // namespace quillory::ui::test
