// The real password question, answered by a user: from the window thread,
// and from a run's worker thread while the window thread waits in its loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QTimer>
#include <thread>

#include "ui/auxiliary/password_prompt.h"

namespace quillory::ui {
namespace {

TEST(DrivePassword, IsTypedMaskedAndCanBeDeclined) {
    // Accepted on the window thread, declined from a worker.
    for (const auto& [fromWorker, accept] : {std::pair{false, true}, {true, false}}) {
        QLineEdit::EchoMode echo = QLineEdit::Normal;
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            user.stop();
            echo = dialog->textEchoMode();
            dialog->setTextValue("s3cret");
            accept ? dialog->accept() : dialog->reject();
        });
        user.start(10);
        std::optional<std::string> typed;
        const auto ask = [&] { typed = askDrivePassword('F', "\\\\host\\share", std::string("alice")); };
        if (fromWorker) {
            QEventLoop loop;
            std::thread worker([&] {
                ask();
                QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
            });
            loop.exec();
            worker.join();
        } else {
            ask();
        }
        EXPECT_EQ(typed, accept ? std::optional<std::string>("s3cret") : std::nullopt) << fromWorker;
        EXPECT_EQ(echo, QLineEdit::Password) << fromWorker;
    }
}

}  // namespace
}  // namespace quillory::ui
