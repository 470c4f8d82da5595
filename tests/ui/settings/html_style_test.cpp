// The style page's pickers: each starts from its sample, a choice changes the
// sample and OK stores it, a cancel changes nothing. Also the desktop's font
// dialog with its colour row, answered while it is open.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QTest>
#include <QTimer>

#include "control_text.h"
#include "settings_dialog_fixture.h"

namespace quillory::ui::test {
namespace {

TEST_F(SettingsDialogTest, ColourPickerStartsFromTheSampleAndOkStoresTheChoice) {
    struct Row {
        const char* button;
        const char* sample;
        const char* startColour;
        const SettingKey* key;
    };
    const Row rows[] = {
        {"cmdBody", "lblBody", "#ffffff", &keys::BodyBack},
        {"cmdFolderBack", "lblFolder", "#000000", &keys::FolBack},
        {"cmdFileRowEven", "lblFile", "#bfbfbf", &keys::FileBack},
        {"cmdFileRowOdd", "lblFileOdd", "#ffffff", &keys::FileBackOdd},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.button);
        pickers.colourStarts.clear();
        pickers.colours = {QColor("#123456")};
        auto dialog = open();
        control<QAbstractButton>(*dialog, row.button)->click();
        ASSERT_EQ(pickers.colourStarts.size(), 1u);
        EXPECT_EQ(pickers.colourStarts[0].name(), row.startColour);
        EXPECT_EQ(controlText(*dialog, QString(row.sample) + ".back"), "#123456");
        clickOK(*dialog);
        EXPECT_EQ(store.read(*row.key), "5649426");  // 0x563412: red in the low byte
    }
}

TEST_F(SettingsDialogTest, CancelledPickersLeaveTheSamples) {
    auto dialog = open();
    control<QAbstractButton>(*dialog, "cmdFileRowEven")->click();
    control<QAbstractButton>(*dialog, "cmdFileFont")->click();
    EXPECT_EQ(controlText(*dialog, "lblFile.back"), "#BFBFBF");
    EXPECT_EQ(controlText(*dialog, "lblFile.font"), "Tahoma 10");
    EXPECT_EQ(controlText(*dialog, "lblFile.text"), "#000000");
}

TEST_F(SettingsDialogTest, FontPickerTakesFaceColourAndSize) {
    EXPECT_TRUE(store.write(keys::FolFontSize, "14"));
    auto dialog = open();
    pickers.fonts = {FontChoice{"DejaVu Serif", 12.5, QColor("#FF0000")}};
    control<QAbstractButton>(*dialog, "cmdFolderFont")->click();
    ASSERT_EQ(pickers.fontStarts.size(), 1u);
    EXPECT_EQ(pickers.fontStarts[0].face, "Tahoma");
    EXPECT_EQ(pickers.fontStarts[0].pointSize, 14);
    EXPECT_EQ(pickers.fontStarts[0].colour.name(), "#ffffff");
    EXPECT_EQ(controlText(*dialog, "lblFolder.font"), "DejaVu Serif 12.5");
    EXPECT_EQ(controlText(*dialog, "lblFolder.text"), "#FF0000");
    clickOK(*dialog);
    EXPECT_EQ(store.read(keys::FolFont), "DejaVu Serif");
    EXPECT_EQ(store.read(keys::FolFontSize), "12.5");
    EXPECT_EQ(store.read(keys::FolFontColor), "255");
    EXPECT_EQ(store.read(keys::FileFont), "Tahoma");  // the other sample keeps its own
}

TEST_F(SettingsDialogTest, SchemeAlteredByAPickerIsStoredAsAltered) {
    auto dialog = open();
    QTest::keyClick(control<QWidget>(*dialog, "Combo1"), Qt::Key_End);  // Brick Red
    pickers.colours = {QColor("#00FF00")};
    control<QAbstractButton>(*dialog, "cmdFileRowOdd")->click();
    clickOK(*dialog);
    EXPECT_EQ(store.read(keys::FileBack), "9803263");
    EXPECT_EQ(store.read(keys::FileBackOdd), "65280");
    EXPECT_EQ(store.read(keys::FolBack), "128");
}

// Answers the next modal dialog from the event loop that it runs.
template <typename Answer>
void whenModal(Answer answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(modal);
    });
}

TEST(DesktopPickers, FontDialogGivesFaceSizeAndColourButNotBoldness) {
    whenModal([](QWidget* modal) {
        auto* fonts = modal->findChild<QFontDialog*>();
        ASSERT_NE(fonts, nullptr);
        QFont bold("DejaVu Sans");
        bold.setPointSize(16);
        bold.setBold(true);
        fonts->setCurrentFont(bold);
        modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    DesktopPickers pickers;
    const auto answer = pickers.font(nullptr, FontChoice{"DejaVu Serif", 10, QColor("#00FF00")});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->face, "DejaVu Sans");
    EXPECT_EQ(answer->pointSize, 16);
    EXPECT_EQ(answer->colour.name(), "#00ff00");  // the start colour, untouched
}

// Tahoma is not installed here: the dialog shows a stand-in, and a new size
// alone keeps the stored face.
TEST(DesktopPickers, AMissingFaceStaysWhenOnlyTheSizeChanges) {
    // Installed faces only: hasFamily() follows the program's fontconfig alias.
    ASSERT_FALSE(QFontDatabase::families().contains("Tahoma"));
    whenModal([](QWidget* modal) {
        auto* fonts = modal->findChild<QFontDialog*>();
        ASSERT_NE(fonts, nullptr);
        QFont larger = fonts->currentFont();
        larger.setPointSize(14);
        fonts->setCurrentFont(larger);
        modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    DesktopPickers pickers;
    const auto answer = pickers.font(nullptr, FontChoice{"Tahoma", 10, QColor("#000000")});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->face, "Tahoma");
    EXPECT_EQ(answer->pointSize, 14);
}

TEST(DesktopPickers, CancelledFontDialogGivesNothing) {
    DesktopPickers pickers;
    whenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    EXPECT_FALSE(pickers.font(nullptr, FontChoice{"DejaVu Sans", 10, QColor("#000000")}));
}

}  // namespace
}  // namespace quillory::ui::test
