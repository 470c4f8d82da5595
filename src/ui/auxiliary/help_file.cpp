// Placeholder until the user guide lands.
#include "ui/auxiliary/help_file.h"

namespace quillory::ui {

QString helpFilePath() { return {}; }
QString productWebAddress() { return {}; }

}  // namespace quillory::ui
