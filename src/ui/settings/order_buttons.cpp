#include "ui/settings/order_buttons.h"

#include <QRadioButton>
#include <utility>

#include "settings/store.h"
#include "settings/values.h"
#include "ui/settings/radio_selection.h"

namespace quillory::ui {

namespace {

// The keys in the order the windows read them.
std::array<std::pair<const SettingKey*, QRadioButton*>, 6> inReadOrder(const OrderButtons& b) {
    return {{{&keys::NoOrder, b.optNoOrder},
             {&keys::NameOrder, b.optNameOrder},
             {&keys::ExtOrder, b.optExtOrder},
             {&keys::SizeOrder, b.optSizeOrder},
             {&keys::TypeOrder, b.optTypeOrder},
             {&keys::DateOrder, b.optDateOrder}}};
}

}  // namespace

void loadOrderButtons(const OrderButtons& buttons, SettingsStore& store) {
    const auto pairs = inReadOrder(buttons);
    std::array<QRadioButton*, 6> all{};
    QRadioButton* selected = nullptr;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        all[i] = pairs[i].second;
        if (leadingNumber(store.read(*pairs[i].first)) != 0) selected = pairs[i].second;
    }
    selectOnly(all, selected);
}

Status saveOrderButtons(const OrderButtons& buttons, SettingsStore& store) {
    const auto pairs = inReadOrder(buttons);
    Status first;
    for (const SettingKey* key : kOrderGroup)
        for (const auto& [k, button] : pairs)
            if (k == key)
                if (Status written = store.write(*key, boolToFlag(button && button->isChecked())); !written && first)
                    first = std::move(written);
    return first;
}

}  // namespace quillory::ui
