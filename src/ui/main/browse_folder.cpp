#include "ui/main/browse_folder.h"

#include <QStandardPaths>

#include "ui/auxiliary/prompts.h"

namespace quillory::ui {

QString browseFolder(Prompts& prompts, QWidget* owner) {
    return prompts.folderName(owner, "Select directory",
                              QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

}  // namespace quillory::ui
