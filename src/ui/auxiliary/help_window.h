#pragma once
// Opens the user guide with the desktop's handler, or in the program's own
// browser window when the desktop cannot: no xdg-open, or an xdg-open that
// finds no handler for the file or is refused by the desktop (it then ends
// with a non-zero status: 3 no tool, 4 the action failed).
#include <QUrl>

class QWidget;

namespace quillory::ui {

// Returns at once; the handler's status is watched while the window goes on.
void openHelp(QWidget* owner, const QUrl& guide);

}  // namespace quillory::ui
