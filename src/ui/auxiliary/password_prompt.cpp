#include "ui/auxiliary/password_prompt.h"

#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QThread>

namespace quillory::ui {

std::optional<std::string> askDrivePassword(char letter, const std::string& remote,
                                            const std::optional<std::string>& user) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        std::optional<std::string> answer;
        QMetaObject::invokeMethod(
            app, [&] { answer = askDrivePassword(letter, remote, user); }, Qt::BlockingQueuedConnection);
        return answer;
    }
    QString label = QCoreApplication::translate("quillory::ui::frmmap", "Password for %1 (%2:)").arg(QFile::decodeName(QByteArray::fromStdString(remote)),
                                                                 QChar::fromLatin1(letter));
    if (user && !user->empty()) label += QCoreApplication::translate("quillory::ui::frmmap", " as %1").arg(QString::fromStdString(*user));
    bool accepted = false;
    const QString password = QInputDialog::getText(QApplication::activeWindow(), QCoreApplication::translate("quillory::ui::frmmap", "Map Network Drive"),
                                                   label, QLineEdit::Password, QString(), &accepted);
    if (!accepted) return std::nullopt;
    return password.toStdString();
}

}  // namespace quillory::ui
