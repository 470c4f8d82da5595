#pragma once
// What each listing command does with the text of the folder box before a
// run: nothing, a message, or which run to start.
#include <QMessageBox>
#include <QString>

namespace quillory::ui {

enum class ListingCommand { ToolbarPreview, MenuPreview, ToolbarSave, MenuSave, MenuSpreadsheet };

// What a report run does with its document: show it, or save it where the user says.
enum class ReportMode { Show, Save };

struct FolderCheck {
    enum class Next { Nothing, Message, Report, NetworkReport, Spreadsheet, ReportIfExists };
    Next next = Next::Nothing;
    ReportMode mode = ReportMode::Show;  // of a report
    QString text;           // of a message
    QString title;          // empty: the application's title
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

FolderCheck checkFolder(ListingCommand command, const QString& folder);

}  // namespace quillory::ui
