#include "ui/main/folder_check.h"

#include <QFile>

#include "net/share_login.h"

namespace quillory::ui {

namespace {

using Next = FolderCheck::Next;

FolderCheck say(const char* text, const char* title = "", QMessageBox::Icon icon = QMessageBox::NoIcon) {
    return {Next::Message, ReportMode::Show, QString::fromLatin1(text), QString::fromLatin1(title), icon};
}

}  // namespace

FolderCheck checkFolder(ListingCommand command, const QString& folder) {
    const bool empty = folder.isEmpty();
    const bool web = folder.startsWith(QLatin1String("http://"));
    switch (command) {
    case ListingCommand::ToolbarPreview:
        if (empty) return {};
        if (web) return say("Cannot list files on web sites.");
        if (isSharePath(QFile::encodeName(folder).toStdString())) return {Next::NetworkReport, ReportMode::Show, {}, {}, QMessageBox::NoIcon};
        return {Next::Report, ReportMode::Show, {}, {}, QMessageBox::NoIcon};
    case ListingCommand::MenuPreview:
        if (empty) return say("Please select a folder.");
        if (web) return say("Cannot list web sites.");
        return {Next::Report, ReportMode::Show, {}, {}, QMessageBox::NoIcon};
    case ListingCommand::ToolbarSave:
        if (empty) return say("Please select a folder.", "Error", QMessageBox::Critical);
        return {Next::Report, ReportMode::Save, {}, {}, QMessageBox::NoIcon};
    case ListingCommand::MenuSave:
        if (empty) return {};
        return {Next::ReportIfExists, ReportMode::Save, {}, {}, QMessageBox::NoIcon};
    case ListingCommand::MenuSpreadsheet:
        if (empty) return say("Please select a folder");
        return {Next::Spreadsheet, ReportMode::Show, {}, {}, QMessageBox::NoIcon};
    }
    return {};
}

}  // namespace quillory::ui
