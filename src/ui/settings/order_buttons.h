#pragma once
// The six order option buttons against the six order keys: the settings
// dialog's own and, after OK, the main window's.
#include <array>

#include "platform/status.h"

class QRadioButton;

namespace quillory {
class SettingsStore;
}

namespace quillory::ui {

// One button per order, null where a window lacks it.
struct OrderButtons {
    QRadioButton* optNoOrder = nullptr;
    QRadioButton* optNameOrder = nullptr;
    QRadioButton* optExtOrder = nullptr;
    QRadioButton* optSizeOrder = nullptr;
    QRadioButton* optTypeOrder = nullptr;
    QRadioButton* optDateOrder = nullptr;
};

// Sets the buttons one after the other (NoOrder, NameOrder, ExtOrder,
// SizeOrder, TypeOrder, DateOrder): selected when the key's leading number is
// not 0, cleared otherwise; so of several such keys the last one stays, and
// with none the group has no selection.
void loadOrderButtons(const OrderButtons& buttons, SettingsStore& store);

// Writes all six keys in the group's order, "1" for the selected button.
// Every key is written, also after a failure; the first failure is returned.
Status saveOrderButtons(const OrderButtons& buttons, SettingsStore& store);

}  // namespace quillory::ui
