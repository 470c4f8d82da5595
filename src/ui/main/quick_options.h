#pragma once
// The main window's quick options: the file order, the recursion choice and
// the file include patterns, kept in the store the moment the user changes
// them. The window fills them again after the settings dialog's OK.
#include "ui/main/main_option_controls.h"

namespace quillory {
class SettingsStore;
}

namespace quillory::ui {

// Fills the filter box and the option buttons from the store. A stored
// recursion choice other than Infinite or No (a depth, which the window has
// no button for) leaves both recursion buttons clear.
void restoreOptions(SettingsStore& store, const MainOptionControls& controls);
// Writes the six order keys, each "1" or "0", in the store's group order.
void saveOrder(SettingsStore& store, const MainOptionControls& controls);
// Writes Recurse: Infinite or No, by the selected button.
void saveRecursion(SettingsStore& store, const MainOptionControls& controls);
// Writes the filter box's text as the file include patterns.
void saveFilter(SettingsStore& store, const MainOptionControls& controls);

}  // namespace quillory::ui
