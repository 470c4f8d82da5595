#pragma once
// The folder-browse dialog of the Open command.
#include <QString>

class QWidget;

namespace quillory::ui {
class Prompts;
}

namespace quillory::shell {

// The system's folder dialog titled "Select directory", starting at the
// user's desktop folder; the chosen folder, or empty when cancelled.
QString browseFolder(ui::Prompts& prompts, QWidget* owner);

}  // namespace quillory::shell
