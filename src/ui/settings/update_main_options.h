#pragma once
// After the settings dialog's OK: the main window's quick options (filter
// box, order, recursion) filled from the store, as the window fills them at
// start-up, except that a recursion word other than "Infinite" and "No"
// clears both its recursion buttons: the window has no depth option.
#include "ui/main/main_option_controls.h"

namespace quillory {
class SettingsStore;
}

namespace quillory::ui {

void updateMainOptions(SettingsStore& store, const MainOptionControls& main);

}  // namespace quillory::ui
