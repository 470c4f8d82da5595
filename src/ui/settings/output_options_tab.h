#pragma once
// The "Output options" page: the order of files, recursion with its depth,
// leaving out folders without files, and escaping names for readers.
#include <QWidget>

#include "ui/settings/order_buttons.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace quillory {
class SettingsStore;
}

namespace quillory::ui {

class UpDown;

class OutputOptionsTab : public QWidget {
    Q_OBJECT
public:
    explicit OutputOptionsTab(QWidget* parent = nullptr);

    // Ignore check box, order, recursion, depth: in this order.
    void load(SettingsStore& store);
    // Order, ignore check box, recursion, depth: in this order.
    void save(SettingsStore& store);

    OrderButtons orderButtons() const;

    QRadioButton* optNoOrder;
    QRadioButton* optNameOrder;
    QRadioButton* optSizeOrder;
    QRadioButton* optExtOrder;
    QRadioButton* optTypeOrder;
    QRadioButton* optDateOrder;
    QRadioButton* optNoRecursion;
    QRadioButton* optRecurseInfinite;
    QRadioButton* optRecurseDepth;
    QLineEdit* txtDepth;
    UpDown* UpDown1;
    QCheckBox* chkIgnore;
    QCheckBox* chkEscape;

private:
    QButtonGroup* m_order;
    QButtonGroup* m_recursion;
};

}  // namespace quillory::ui
