// The real password question, answered by a user in a timer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QTimer>

#include "ui/auxiliary/password_prompt.h"

namespace quillory::ui {
namespace {

TEST(DrivePassword, IsTypedMaskedAndCanBeDeclined) {
    struct Row {
        const char* name;
        bool accept;
        std::optional<std::string> expected;
    };
    const Row rows[] = {{"typed and accepted", true, "s3cret"}, {"cancelled", false, std::nullopt}};
    for (const Row& row : rows) {
        QLineEdit::EchoMode echo = QLineEdit::Normal;
        QString label;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            echo = dialog->textEchoMode();
            label = dialog->labelText();
            dialog->setTextValue("s3cret");
            row.accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(askDrivePassword('F', "\\\\host\\share", std::string("alice")), row.expected) << row.name;
        EXPECT_EQ(echo, QLineEdit::Password) << row.name;
        EXPECT_TRUE(label.contains("\\\\host\\share") && label.contains("F:") && label.contains("alice")) << row.name;
    }
}

}  // namespace
}  // namespace quillory::ui
