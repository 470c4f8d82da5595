#include "ui/main/quick_options.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <array>
#include <utility>

#include "settings/store.h"
#include "settings/values.h"

namespace quillory::ui {

namespace {

std::array<std::pair<const SettingKey*, QRadioButton*>, 6> orderButtons(const MainOptionControls& c) {
    // The store's group order: every writer writes the six keys in this order.
    return {{{&keys::NoOrder, c.optNoOrder},
             {&keys::ExtOrder, c.optExtOrder},
             {&keys::SizeOrder, c.optSizeOrder},
             {&keys::TypeOrder, c.optTypeOrder},
             {&keys::DateOrder, c.optDateOrder},
             {&keys::NameOrder, c.optNameOrder}}};
}

}  // namespace

void restoreOptions(SettingsStore& store, const MainOptionControls& c) {
    c.txtfilter->setText(QFile::decodeName(QByteArray::fromStdString(store.read(keys::FileInclude))));
    // An exclusive group cannot clear its checked button, so a group with no
    // key set would keep the old choice; clearing needs the group off a moment.
    const std::array<std::pair<const SettingKey*, QRadioButton*>, 6> inShownOrder{{
        {&keys::NoOrder, c.optNoOrder},
        {&keys::NameOrder, c.optNameOrder},
        {&keys::ExtOrder, c.optExtOrder},
        {&keys::SizeOrder, c.optSizeOrder},
        {&keys::TypeOrder, c.optTypeOrder},
        {&keys::DateOrder, c.optDateOrder}}};
    for (const auto& [key, button] : inShownOrder) {
        const bool on = leadingNumber(store.read(*key)) != 0;
        if (on || !button->isChecked()) {
            button->setChecked(on);
        } else {
            button->setAutoExclusive(false);
            button->setChecked(false);
            button->setAutoExclusive(true);
        }
    }
    const std::string recurse = store.read(keys::Recurse);
    if (recurse == words::Infinite) c.optRecurseInfinite->setChecked(true);
    else if (recurse == words::No) c.optNoRecursion->setChecked(true);
}

void saveOrder(SettingsStore& store, const MainOptionControls& c) {
    for (const auto& [key, button] : orderButtons(c)) store.write(*key, boolToFlag(button->isChecked()));
}

void saveRecursion(SettingsStore& store, const MainOptionControls& c) {
    if (c.optRecurseInfinite->isChecked()) store.write(keys::Recurse, words::Infinite);
    else if (c.optNoRecursion->isChecked()) store.write(keys::Recurse, words::No);
}

void saveFilter(SettingsStore& store, const MainOptionControls& c) {
    store.write(keys::FileInclude, QFile::encodeName(c.txtfilter->text()).toStdString());
}

}  // namespace quillory::ui
