#include "shell/browse_folder.h"

#include <QStandardPaths>

#include "ui/auxiliary/prompts.h"

namespace quillory::shell {

QString browseFolder(ui::Prompts& prompts, QWidget* owner) {
    return prompts.folderName(owner, "Select directory",
                              QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

}  // namespace quillory::shell
