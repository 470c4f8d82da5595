#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include "ui/auxiliary/frm_about.h"

namespace quillory::ui {
namespace {

std::vector<frmAbout*> openBoxes() {
    std::vector<frmAbout*> boxes;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<frmAbout*>(w); box != nullptr && box->isVisible()) boxes.push_back(box);
    return boxes;
}

// One box at a time, not modal; a click on OK or on the background (inside
// the margin, on no control) closes it, a click on the title does not.
TEST(About, ShowsOnceNotModallyAndClosesOnOkOrBackgroundOnly) {
    const struct {
        const char* target;  // object name of the widget clicked; "" for the box's own background
        bool closes;
    } rows[] = {{"cmdOK", true}, {"", true}, {"Label1", false}};
    for (const auto& row : rows) {
        showAbout(nullptr);
        showAbout(nullptr);
        ASSERT_EQ(openBoxes().size(), 1u);
        QPointer<frmAbout> box = openBoxes()[0];
        EXPECT_FALSE(box->isModal());
        EXPECT_EQ(box->findChild<QLabel*>("Label1")->text(), "Quillory v. 2.1");
        QWidget* target = *row.target == '\0' ? box.data() : box->findChild<QWidget*>(row.target);
        QTest::mouseClick(target, Qt::LeftButton, {}, target == box ? QPoint(3, 3) : target->rect().center());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(box.isNull(), row.closes) << row.target;
        if (box) box->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace
}  // namespace quillory::ui
