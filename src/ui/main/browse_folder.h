#pragma once
// The folder-browse dialog of the Open command.
#include <QString>

class QWidget;

namespace quillory::ui {

class Prompts;

// The system's folder dialog titled "Select directory", starting at the
// user's desktop folder; the chosen folder, or empty when cancelled.
QString browseFolder(Prompts& prompts, QWidget* owner);

}  // namespace quillory::ui
