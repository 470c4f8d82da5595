#pragma once
// Selecting at most one of a set of option buttons, none included. An
// exclusive group refuses to clear its last selected button, so the group is
// made non-exclusive for the moment of the change.
#include <span>

class QRadioButton;

namespace quillory::ui {

// Selects `chosen` (one of `buttons`, or null for none) and clears the others.
// Null entries in `buttons` are passed over.
void selectOnly(std::span<QRadioButton* const> buttons, QRadioButton* chosen);

}  // namespace quillory::ui
