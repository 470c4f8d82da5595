#include "ui/settings/update_main_options.h"

#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "settings/store.h"
#include "ui/settings/order_buttons.h"
#include "ui/settings/radio_selection.h"

namespace quillory::ui {

void updateMainOptions(SettingsStore& store, const MainOptionControls& main) {
    if (main.txtfilter) main.txtfilter->setText(QString::fromStdString(store.read(keys::FileInclude)));
    loadOrderButtons({main.optNoOrder, main.optNameOrder, main.optExtOrder, main.optSizeOrder, main.optTypeOrder,
                      main.optDateOrder},
                     store);
    const std::string recurse = store.read(keys::Recurse);
    QRadioButton* chosen = recurse == words::Infinite ? main.optRecurseInfinite
                           : recurse == words::No     ? main.optNoRecursion
                                                      : nullptr;
    const std::array<QRadioButton*, 2> both{main.optRecurseInfinite, main.optNoRecursion};
    selectOnly(both, chosen);
}

}  // namespace quillory::ui
