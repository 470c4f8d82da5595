#pragma once
// The settings dialog's controls against the store's keys. One table names,
// for every key the dialog edits, the control that shows it (by object name)
// and how the control shows the key's text; one loop fills the controls from
// the store and one writes them all back, in the table's order.
#include "platform/status.h"

class QWidget;

namespace quillory {
class SettingsStore;
}

namespace quillory::ui {

// Fills every bound control below `dialog` from the store.
void loadOptions(QWidget& dialog, SettingsStore& store);

// Writes every bound control's value to its key, changed or not.
// Every key is written, also after a failure; the first failure is returned.
Status saveOptions(QWidget& dialog, SettingsStore& store);

}  // namespace quillory::ui
