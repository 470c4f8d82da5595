#pragma once
// The main window's quick-option controls, filled from the store at start-up
// and again after the settings dialog's OK.
#include "ui/settings/order_buttons.h"

class QLineEdit;
class QRadioButton;

namespace quillory::ui {

struct MainOptionControls {
    QLineEdit* txtfilter = nullptr;
    QRadioButton* optNoOrder = nullptr;
    QRadioButton* optNameOrder = nullptr;
    QRadioButton* optSizeOrder = nullptr;
    QRadioButton* optExtOrder = nullptr;
    QRadioButton* optTypeOrder = nullptr;
    QRadioButton* optDateOrder = nullptr;
    QRadioButton* optRecurseInfinite = nullptr;
    QRadioButton* optNoRecursion = nullptr;
};

inline OrderButtons orderButtons(const MainOptionControls& c) {
    return {c.optNoOrder, c.optNameOrder, c.optExtOrder, c.optSizeOrder, c.optTypeOrder, c.optDateOrder};
}

}  // namespace quillory::ui
