#include "ui/main/folder_check.h"

#include <QCoreApplication>
#include <QFile>

#include "net/share_login.h"

namespace quillory::ui {

namespace {

using Next = FolderCheck::Next;

// The texts belong to the main window, whose commands these checks guard.
FolderCheck say(const char* text, const char* title = nullptr, QMessageBox::Icon icon = QMessageBox::NoIcon) {
    return {Next::Message, ReportMode::Show, QCoreApplication::translate("quillory::ui::frmMain", text),
            title ? QCoreApplication::translate("quillory::ui::frmMain", title) : QString(), icon};
}

}  // namespace

FolderCheck checkFolder(ListingCommand command, const QString& folder) {
    const bool empty = folder.isEmpty();
    const bool web = folder.startsWith(QLatin1String("http://"));
    switch (command) {
    case ListingCommand::ToolbarPreview:
        if (empty) return {};
        if (web) return say(QT_TRANSLATE_NOOP("quillory::ui::frmMain", "Cannot list files on web sites."));
        if (isSharePath(QFile::encodeName(folder).toStdString())) return {Next::NetworkReport, ReportMode::Show, {}, {}, QMessageBox::NoIcon};
        return {Next::Report, ReportMode::Show, {}, {}, QMessageBox::NoIcon};
    case ListingCommand::MenuPreview:
        if (empty) return say(QT_TRANSLATE_NOOP("quillory::ui::frmMain", "Please select a folder."));
        if (web) return say(QT_TRANSLATE_NOOP("quillory::ui::frmMain", "Cannot list web sites."));
        return {Next::Report, ReportMode::Show, {}, {}, QMessageBox::NoIcon};
    case ListingCommand::ToolbarSave:
        if (empty) return say(QT_TRANSLATE_NOOP("quillory::ui::frmMain", "Please select a folder."), QT_TRANSLATE_NOOP("quillory::ui::frmMain", "Error"),
                                  QMessageBox::Critical);
        return {Next::Report, ReportMode::Save, {}, {}, QMessageBox::NoIcon};
    case ListingCommand::MenuSave:
        if (empty) return {};
        return {Next::ReportIfExists, ReportMode::Save, {}, {}, QMessageBox::NoIcon};
    case ListingCommand::MenuSpreadsheet:
        if (empty) return say(QT_TRANSLATE_NOOP("quillory::ui::frmMain", "Please select a folder"));
        return {Next::Spreadsheet, ReportMode::Show, {}, {}, QMessageBox::NoIcon};
    }
    return {};
}

}  // namespace quillory::ui
