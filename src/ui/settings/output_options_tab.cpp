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

#include "ui/settings/named_control.h"
#include "ui/settings/up_down.h"

namespace quillory::ui {

namespace {

constexpr int kLowestDepth = 1;
constexpr int kHighestDepth = 1000;

QRadioButton* option(const QString& caption, const char* name) { return named(new QRadioButton(caption), name); }

}  // namespace

OutputOptionsTab::OutputOptionsTab(QWidget* parent) : QWidget(parent) {
    const std::array<QRadioButton*, 6> orders{
        option(tr("&No order"), "optNoOrder"),  option(tr("Na&me"), "optNameOrder"), option(tr("&Size"), "optSizeOrder"),
        option(tr("&Extension"), "optExtOrder"), option(tr("&Type"), "optTypeOrder"), option(tr("D&ate"), "optDateOrder")};
    auto* noRecursion = option(tr("Do not re&curse folder"), "optNoRecursion");
    auto* infinite = option(tr("Recurse folder &infinitely"), "optRecurseInfinite");
    auto* toDepth = option(tr("Recurse folder &upto specified depth"), "optRecurseDepth");
    auto* depth = named(new QLineEdit, "txtDepth");
    auto* depthStep = named(new UpDown(depth, kLowestDepth, kHighestDepth), "UpDown1");
    auto* ignoreEmpty = named(new QCheckBox(tr("I&gnore folders that do not have files in them.")), "chkIgnore");
    depth->setMaximumWidth(depth->fontMetrics().horizontalAdvance(QString(8, u'0')));
    auto* escape = named(new QCheckBox(tr("Escape names for HTML and CSV readers")), "chkEscape");

    auto* orderFrame = new QGroupBox(tr("Sort files by order :"));
    auto* orderGrid = new QGridLayout(orderFrame);
    auto* orderGroup = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        orderGroup->addButton(orders[i]);
        orderGrid->addWidget(orders[i], i % 3, i / 3);
    }

    auto* recursionFrame = new QGroupBox(tr("Recursion options"));
    auto* depthRow = new QHBoxLayout;
    depthRow->addWidget(toDepth);
    depthRow->addWidget(depth);
    depthRow->addWidget(depthStep);
    depthRow->addStretch();
    auto* recursionLayout = new QVBoxLayout(recursionFrame);
    auto* recursionGroup = new QButtonGroup(this);
    for (QRadioButton* button : {noRecursion, infinite, toDepth}) recursionGroup->addButton(button);
    recursionLayout->addWidget(noRecursion);
    recursionLayout->addWidget(infinite);
    recursionLayout->addLayout(depthRow);

    auto* otherFrame = new QGroupBox(tr("Other settings"));
    auto* otherLayout = new QVBoxLayout(otherFrame);
    otherLayout->addWidget(ignoreEmpty);
    otherLayout->addWidget(escape);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(orderFrame);
    layout->addWidget(recursionFrame);
    layout->addWidget(otherFrame);
    layout->addStretch();
}

}  // namespace quillory::ui
