#include "ui/settings/update_main_options.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "settings/store.h"
#include "ui/settings/radio_selection.h"

namespace quillory::ui {

void updateMainOptions(SettingsStore& store, const MainOptionControls& main) {
    if (main.txtfilter) main.txtfilter->setText(QFile::decodeName(QByteArray::fromStdString(store.read(keys::FileInclude))));
    loadOrderButtons(orderButtons(main), store);
    const std::string recurse = store.read(keys::Recurse);
    QRadioButton* chosen = recurse == words::Infinite ? main.optRecurseInfinite
                           : recurse == words::No     ? main.optNoRecursion
                                                      : nullptr;
    const std::array<QRadioButton*, 2> both{main.optRecurseInfinite, main.optNoRecursion};
    selectOnly(both, chosen);
}

}  // namespace quillory::ui
