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

void closeAll() {
    for (frmAbout* box : openBoxes()) box->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(About, ShowsTheProductNotModallyAndOnceOnly) {
    closeAll();
    showAbout(nullptr);
    ASSERT_EQ(openBoxes().size(), 1u);
    const QPointer<frmAbout> box = openBoxes()[0];
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->findChild<QLabel*>("Label1")->text(), "Quillory v. 2.1");
    showAbout(nullptr);
    ASSERT_EQ(openBoxes().size(), 1u);
    EXPECT_EQ(openBoxes()[0], box.data());
    closeAll();
}

struct ClickCase {
    const char* name;
    const char* target;  // object name of the widget clicked; "" for the box's own background
    bool closes;
};

void PrintTo(const ClickCase& row, std::ostream* out) { *out << row.name; }

class AboutClick : public ::testing::TestWithParam<ClickCase> {};

TEST_P(AboutClick, ClosesOnOkOrBackgroundOnly) {
    closeAll();
    showAbout(nullptr);
    QPointer<frmAbout> box = openBoxes().at(0);
    QWidget* target = box;
    QPoint at(3, 3);  // inside the margin, on no control
    if (*GetParam().target != '\0') {
        target = box->findChild<QWidget*>(GetParam().target);
        ASSERT_NE(target, nullptr);
        at = target->rect().center();
    }
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(box.isNull(), GetParam().closes);
    closeAll();
}

INSTANTIATE_TEST_SUITE_P(Targets, AboutClick,
                         ::testing::Values(ClickCase{"OkButton", "cmdOK", true}, ClickCase{"Background", "", true},
                                           ClickCase{"Title", "Label1", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillory::ui
