#include "ui/settings/output_options_tab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "settings/store.h"
#include "settings/values.h"
#include "ui/settings/control_values.h"
#include "ui/settings/radio_selection.h"
#include "ui/settings/up_down.h"

namespace quillory::ui {

namespace {

constexpr int kLowestDepth = 1;
constexpr int kHighestDepth = 1000;

QRadioButton* option(const char* caption, const char* name) { return named(new QRadioButton(caption), name); }

}  // namespace

OutputOptionsTab::OutputOptionsTab(QWidget* parent)
    : QWidget(parent),
      optNoOrder(option("&No order", "optNoOrder")),
      optNameOrder(option("Na&me", "optNameOrder")),
      optSizeOrder(option("&Size", "optSizeOrder")),
      optExtOrder(option("&Extension", "optExtOrder")),
      optTypeOrder(option("&Type", "optTypeOrder")),
      optDateOrder(option("D&ate", "optDateOrder")),
      optNoRecursion(option("Do not re&curse folder", "optNoRecursion")),
      optRecurseInfinite(option("Recurse folder &infinitely", "optRecurseInfinite")),
      optRecurseDepth(option("Recurse folder &upto specified depth", "optRecurseDepth")),
      txtDepth(named(new QLineEdit, "txtDepth")),
      UpDown1(nullptr),
      chkIgnore(named(new QCheckBox("I&gnore folders that do not have files in them."), "chkIgnore")),
      chkEscape(named(new QCheckBox("Escape names for HTML and CSV readers"), "chkEscape")),
      m_order(new QButtonGroup(this)),
      m_recursion(new QButtonGroup(this)) {
    UpDown1 = named(new UpDown(txtDepth, kLowestDepth, kHighestDepth), "UpDown1");
    txtDepth->setMaximumWidth(txtDepth->fontMetrics().horizontalAdvance(QString(8, '0')));

    auto* orderFrame = new QGroupBox("Sort files by order :");
    auto* orderGrid = new QGridLayout(orderFrame);
    const std::array<QRadioButton*, 6> orders{optNoOrder, optNameOrder, optSizeOrder,
                                              optExtOrder, optTypeOrder, optDateOrder};
    for (int i = 0; i < 6; ++i) {
        m_order->addButton(orders[i]);
        orderGrid->addWidget(orders[i], i % 3, i / 3);
    }

    auto* recursionFrame = new QGroupBox("Recursion options");
    auto* depthRow = new QHBoxLayout;
    depthRow->addWidget(optRecurseDepth);
    depthRow->addWidget(txtDepth);
    depthRow->addWidget(UpDown1);
    depthRow->addStretch();
    auto* recursionLayout = new QVBoxLayout(recursionFrame);
    for (QRadioButton* button : {optNoRecursion, optRecurseInfinite, optRecurseDepth}) m_recursion->addButton(button);
    recursionLayout->addWidget(optNoRecursion);
    recursionLayout->addWidget(optRecurseInfinite);
    recursionLayout->addLayout(depthRow);

    auto* otherFrame = new QGroupBox("Other settings");
    auto* otherLayout = new QVBoxLayout(otherFrame);
    otherLayout->addWidget(chkIgnore);
    otherLayout->addWidget(chkEscape);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(orderFrame);
    layout->addWidget(recursionFrame);
    layout->addWidget(otherFrame);
    layout->addStretch();
}

OrderButtons OutputOptionsTab::orderButtons() const {
    return {optNoOrder, optNameOrder, optExtOrder, optSizeOrder, optTypeOrder, optDateOrder};
}

void OutputOptionsTab::load(SettingsStore& store) {
    // Read without a default: absent is the empty text, which is off.
    chkIgnore->setChecked(flagOn(store.read(keys::IgnoreNoFiles, "")));
    loadOrderButtons(orderButtons(), store);
    const std::string recurse = store.read(keys::Recurse);
    QRadioButton* chosen = recurse == words::Infinite ? optRecurseInfinite
                           : recurse == words::No     ? optNoRecursion
                           : recurse == words::Depth  ? optRecurseDepth
                                                      : nullptr;
    const std::array<QRadioButton*, 3> recursion{optNoRecursion, optRecurseInfinite, optRecurseDepth};
    selectOnly(recursion, chosen);
    txtDepth->setText(fromStored(store.read(keys::RecurseDepth)));
    chkEscape->setChecked(flagOn(store.read(keys::Escape)));
}

void OutputOptionsTab::save(SettingsStore& store) {
    saveOrderButtons(orderButtons(), store);
    store.write(keys::IgnoreNoFiles, flagText(chkIgnore));
    const std::string_view recurse = optRecurseInfinite->isChecked() ? words::Infinite
                                     : optNoRecursion->isChecked()   ? words::No
                                     : optRecurseDepth->isChecked()  ? words::Depth
                                                                     : std::string_view{};
    store.write(keys::Recurse, recurse);
    store.write(keys::RecurseDepth, toStored(txtDepth));
    store.write(keys::Escape, flagText(chkEscape));
}

}  // namespace quillory::ui
