// The real message box, answered by a key press: the one path the scripted
// prompts of the other tests stand in for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "ui/auxiliary/prompts.h"

namespace quillory::ui {
namespace {

TEST(DesktopPrompts, MessageShowsTextTitleAndIcon) {
    QString seenText, seenTitle;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        seenTitle = box->windowTitle();
        seenIcon = box->icon();
        box->accept();
    });
    DesktopPrompts prompts;
    prompts.message(nullptr, "Invalid folder specified.", "Error", QMessageBox::Critical);
    EXPECT_EQ(seenText, "Invalid folder specified.");
    EXPECT_EQ(seenTitle, "Error");
    EXPECT_EQ(seenIcon, QMessageBox::Critical);
}

}  // namespace
}  // namespace quillory::ui
