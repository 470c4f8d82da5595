#include "ui/main/browse_folder.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include "ui/auxiliary/prompts.h"

namespace quillory::ui {

QString browseFolder(Prompts& prompts, QWidget* owner) {
    return prompts.folderName(owner, QCoreApplication::translate("quillory::ui::frmMain", "Select directory"),
                              QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

}  // namespace quillory::ui
