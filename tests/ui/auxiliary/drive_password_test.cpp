// The real password question, answered by a user in a timer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QTimer>

#include "ui/auxiliary/password_prompt.h"

namespace quillory::ui {
namespace {

TEST(DrivePassword, IsTypedMaskedAndCanBeDeclined) {
    for (const bool accept : {true, false}) {
        QLineEdit::EchoMode echo = QLineEdit::Normal;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            echo = dialog->textEchoMode();
            dialog->setTextValue("s3cret");
            accept ? dialog->accept() : dialog->reject();
        });
        const auto typed = askDrivePassword('F', "\\\\host\\share", std::string("alice"));
        EXPECT_EQ(typed, accept ? std::optional<std::string>("s3cret") : std::nullopt);
        EXPECT_EQ(echo, QLineEdit::Password);
    }
}

}  // namespace
}  // namespace quillory::ui
