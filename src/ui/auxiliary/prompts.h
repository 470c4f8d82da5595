#pragma once
// Every message box and file dialog the windows show goes through Prompts, so
// that tests can answer them; DesktopPrompts is the real QMessageBox and
// QFileDialog.
#include <QMessageBox>
#include <QString>

class QWidget;

namespace quillory::ui {

// The window caption and the title of a message that names none.
inline const QString kAppTitle = QStringLiteral("Quillory");

struct SaveDialogSpec {
    QString filter;         // Qt's form: "HTML Documents (*.html);;All Files (*.*)"
    QString defaultSuffix;  // without the dot: "html"
    QString folder;         // where the dialog starts
};

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual void message(QWidget* parent, const QString& text, const QString& title, QMessageBox::Icon icon) = 0;
    // The file to write, or empty when the user cancelled. The dialog itself
    // asks before an existing file is replaced.
    virtual QString saveFileName(QWidget* parent, const SaveDialogSpec& spec) = 0;
    // A folder, or empty when the user cancelled.
    virtual QString folderName(QWidget* parent, const QString& title, const QString& start) = 0;
    // A yes/no question; true for yes.
    virtual bool ask(QWidget* parent, const QString& text, const QString& title) = 0;
};

class DesktopPrompts final : public Prompts {
public:
    void message(QWidget* parent, const QString& text, const QString& title, QMessageBox::Icon icon) override;
    QString saveFileName(QWidget* parent, const SaveDialogSpec& spec) override;
    QString folderName(QWidget* parent, const QString& title, const QString& start) override;
    bool ask(QWidget* parent, const QString& text, const QString& title) override;
};

}  // namespace quillory::ui
