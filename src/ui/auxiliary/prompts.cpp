#include "ui/auxiliary/prompts.h"

#include <QFileDialog>

namespace quillory::ui {

void DesktopPrompts::message(QWidget* parent, const QString& text, const QString& title, QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString DesktopPrompts::saveFileName(QWidget* parent, const SaveDialogSpec& spec) {
    QFileDialog dialog(parent, QString(), spec.folder, spec.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(spec.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString DesktopPrompts::folderName(QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start);
}

bool DesktopPrompts::ask(QWidget* parent, const QString& text, const QString& title) {
    return QMessageBox::question(parent, title, text) == QMessageBox::Yes;
}

}  // namespace quillory::ui
