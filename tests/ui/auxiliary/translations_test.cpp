// The program in the user's language, loaded as the program loads it: the
// German main window, Qt's own texts with it, and no translation at all in
// the C locale.
#include <QDialogButtonBox>
#include <QPushButton>

#include "ui/auxiliary/translations.h"
#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

TEST(Translations, OnlyWhereThereIsATranslation) {
    for (const auto& [locale, translated] : {std::pair{"C", false}, std::pair{"de_AT", true}}) {
        const ui::Translations translations{QLocale(QString::fromLatin1(locale))};
        EXPECT_EQ(translations.loaded(), translated);
        EXPECT_EQ(QCoreApplication::translate("quillory::ui::frmMain", "&Listing"), translated ? "&Liste" : "&Listing");
    }
}

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
