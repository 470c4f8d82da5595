#include "ui/main/quick_options.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "settings/store.h"
#include "ui/settings/order_buttons.h"
#include "ui/settings/radio_selection.h"

namespace quillory::ui {

void restoreOptions(SettingsStore& store, const MainOptionControls& c) {
    c.txtfilter->setText(QFile::decodeName(QByteArray::fromStdString(store.read(keys::FileInclude))));
    loadOrderButtons(orderButtons(c), store);
    const std::string recurse = store.read(keys::Recurse);
    QRadioButton* chosen = recurse == words::Infinite ? c.optRecurseInfinite
                           : recurse == words::No     ? c.optNoRecursion
                                                      : nullptr;
    const std::array<QRadioButton*, 2> both{c.optRecurseInfinite, c.optNoRecursion};
    selectOnly(both, chosen);
}

void saveOrder(SettingsStore& store, const MainOptionControls& c) { (void)saveOrderButtons(orderButtons(c), store); }

void saveRecursion(SettingsStore& store, const MainOptionControls& c) {
    if (c.optRecurseInfinite->isChecked()) (void)store.write(keys::Recurse, words::Infinite);
    else if (c.optNoRecursion->isChecked()) (void)store.write(keys::Recurse, words::No);
}

void saveFilter(SettingsStore& store, const MainOptionControls& c) {
    (void)store.write(keys::FileInclude, QFile::encodeName(c.txtfilter->text()).toStdString());
}

}  // namespace quillory::ui
