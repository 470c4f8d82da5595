// The style page's font picker starts from its sample, and OK stores what it
// gave. Also the desktop's font dialog, answered while it is open.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QTest>
#include <QTimer>
#include <functional>

#include "settings_dialog_fixture.h"

namespace quillory::ui::test {
namespace {

TEST_F(SettingsDialogTest, FontPickerTakesFaceColourAndSize) {
    EXPECT_TRUE(store.write(keys::FolFontSize, "14"));
    auto dialog = open();
    pickers.fonts = {FontChoice{"DejaVu Serif", 12.5, QColor("#FF0000")}};
    control<QAbstractButton>(*dialog, "cmdFolderFont")->click();
    ASSERT_EQ(pickers.fontStarts.size(), 1u);
    const FontChoice& start = pickers.fontStarts[0];
    EXPECT_EQ(QString("%1 %2 %3").arg(start.face).arg(start.pointSize).arg(start.colour.name()), "Tahoma 14 #ffffff");
    EXPECT_EQ(controlText(*dialog, "lblFolder.font"), "DejaVu Serif 12.5");
    EXPECT_EQ(controlText(*dialog, "lblFolder.text"), "#FF0000");
    clickOK(*dialog);
    EXPECT_EQ(store.read(keys::FolFont) + " " + store.read(keys::FolFontSize) + " " + store.read(keys::FolFontColor),
              "DejaVu Serif 12.5 255");
    EXPECT_EQ(store.read(keys::FileFont), "Tahoma");  // the other sample keeps its own
}

// The desktop's font dialog, answered from the event loop it runs: it gives
// face, size and the start colour. Tahoma is not installed
// here: the dialog shows a stand-in, and a new size alone keeps the stored face.
TEST(DesktopPickers, FontDialogGivesFaceSizeAndTheStartColour) {
    // Installed faces only: hasFamily() follows the program's fontconfig alias.
    ASSERT_FALSE(QFontDatabase::families().contains("Tahoma"));
    const struct {
        const char* name;
        FontChoice start;
        std::function<void(QFontDialog&)> answer;  // empty: Cancel
        const char* given;                          // face, size and colour, or "none"
    } rows[] = {
        {"NewFace", {"DejaVu Serif", 10, QColor("#00FF00")},
         [](QFontDialog& d) { d.setCurrentFont(QFont("DejaVu Sans", 16)); }, "DejaVu Sans 16 #00ff00"},
        {"MissingFaceNewSize", {"Tahoma", 10, QColor("#00FF00")},
         [](QFontDialog& d) {
             QFont larger = d.currentFont();
             larger.setPointSize(14);
             d.setCurrentFont(larger);
         },
         "Tahoma 14 #00ff00"},
        {"Cancelled", {"DejaVu Sans", 10, QColor("#000000")}, {}, "none"},
    };
    for (const auto& row : rows) {
        QTimer::singleShot(0, [&row] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            auto* fonts = modal->findChild<QFontDialog*>();
            ASSERT_NE(fonts, nullptr);
            if (!row.answer) return static_cast<QDialog*>(modal)->reject();
            row.answer(*fonts);
            modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        const auto answer = DesktopPickers().font(nullptr, row.start);
        EXPECT_EQ(answer ? QString("%1 %2 %3").arg(answer->face).arg(answer->pointSize).arg(answer->colour.name())
                         : "none",
                  row.given)
            << row.name;
    }
}

}  // namespace
}  // namespace quillory::ui::test
