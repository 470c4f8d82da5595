#include "ui/settings/radio_selection.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <vector>

namespace quillory::ui {

void selectOnly(std::span<QRadioButton* const> buttons, QRadioButton* chosen) {
    std::vector<QButtonGroup*> groups;
    std::vector<QRadioButton*> autoExclusive;
    for (QRadioButton* button : buttons) {
        if (!button) continue;
        if (QButtonGroup* group = button->group(); group && group->exclusive()) {
            group->setExclusive(false);
            groups.push_back(group);
        }
        if (button->autoExclusive()) {
            button->setAutoExclusive(false);
            autoExclusive.push_back(button);
        }
    }
    for (QRadioButton* button : buttons)
        if (button) button->setChecked(button == chosen);
    for (QRadioButton* button : autoExclusive) button->setAutoExclusive(true);
    for (QButtonGroup* group : groups) group->setExclusive(true);
}

}  // namespace quillory::ui
