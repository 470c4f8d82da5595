// Placeholder until the about box lands.
#include "ui/auxiliary/frm_about.h"

namespace quillory::ui {

void showAbout(QWidget*) {}

}  // namespace quillory::ui
