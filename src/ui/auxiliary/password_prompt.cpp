#include "ui/auxiliary/password_prompt.h"

#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>

namespace quillory::ui {

std::optional<std::string> askDrivePassword(char letter, const std::string& remote,
                                            const std::optional<std::string>& user) {
    QString label = QStringLiteral("Password for %1 (%2:)").arg(QFile::decodeName(QByteArray::fromStdString(remote)),
                                                                 QChar::fromLatin1(letter));
    if (user && !user->empty()) label += QStringLiteral(" as %1").arg(QString::fromStdString(*user));
    bool accepted = false;
    const QString password = QInputDialog::getText(QApplication::activeWindow(), QStringLiteral("Map Network Drive"),
                                                   label, QLineEdit::Password, QString(), &accepted);
    if (!accepted) return std::nullopt;
    return password.toStdString();
}

}  // namespace quillory::ui
