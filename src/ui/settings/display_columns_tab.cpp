#include "ui/settings/display_columns_tab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "settings/store.h"
#include "settings/values.h"
#include "ui/settings/control_values.h"
#include "ui/settings/radio_selection.h"

namespace quillory::ui {

namespace {

struct ColumnRow {
    const SettingKey* flag;
    const SettingKey* caption;
    const SettingKey* width;
    int row;
};

// The order in which the keys are read and written: the extension's keys come
// second although its row is the third.
constexpr ColumnRow kColumnKeys[] = {
    {&keys::Name, &keys::NameStr, &keys::NameWidth, 0},
    {&keys::Ext, &keys::ExtStr, &keys::ExtWidth, 2},
    {&keys::Type, &keys::TypeStr, &keys::TypeWidth, 1},
    {&keys::Size, &keys::SizeStr, &keys::SizeWidth, 3},
    {&keys::DateTime, &keys::DateStr, &keys::DateWidth, 4},
    {&keys::Attrib, &keys::AttribStr, &keys::AttribWidth, 5},
};

struct ColumnCaption {
    const char* caption;
    const char* name;
};

constexpr ColumnCaption kRowCaptions[DisplayColumnsTab::kRows] = {
    {"&Name", "chName"}, {"&Type", "chType"},       {"&Extension", "chExt"},
    {"&Size", "chSize"}, {"Date T&ime", "chTime"}, {"&Attributes", "chAttrib"},
};

QPushButton* heading(const char* caption, const char* name) {
    auto* button = named(new QPushButton(caption), name);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QString indexed(const char* array, int index) { return QString("%1_%2").arg(array).arg(index); }

}  // namespace

DisplayColumnsTab::DisplayColumnsTab(QWidget* parent)
    : QWidget(parent),
      Command1(heading("Column", "Command1")),
      Command2(heading("Display name", "Command2")),
      Command3(heading("Width", "Command3")),
      optDynamicSize(named(new QRadioButton("D&ynamic mode (Auto)"), "optDynamicSize")),
      optMBSize(named(new QRadioButton("&Megabytes (Mb)"), "optMBSize")),
      optKBSize(named(new QRadioButton("&Kilobytes (Kb)"), "optKBSize")),
      optByteSize(named(new QRadioButton("&Bytes"), "optByteSize")) {
    auto* columns = new QGridLayout;
    columns->setHorizontalSpacing(4);
    columns->addWidget(Command1, 0, 0);
    columns->addWidget(Command2, 0, 1);
    columns->addWidget(Command3, 0, 2);
    for (int row = 0; row < kRows; ++row) {
        columnSwitch[row] = named(new QCheckBox(kRowCaptions[row].caption), kRowCaptions[row].name);
        Text1[row] = new QLineEdit;
        Text1[row]->setObjectName(indexed("Text1", row));
        Text2[row] = new QLineEdit;
        Text2[row]->setObjectName(indexed("Text2", row));
        columns->addWidget(columnSwitch[row], row + 1, 0);
        columns->addWidget(Text1[row], row + 1, 1);
        columns->addWidget(Text2[row], row + 1, 2);
    }
    columns->setColumnStretch(0, 2);
    columns->setColumnStretch(1, 3);
    columns->setColumnStretch(2, 1);

    auto* sizeFrame = new QGroupBox("Display  file size in");
    auto* units = new QButtonGroup(this);
    auto* sizeLayout = new QGridLayout(sizeFrame);
    QRadioButton* const order[] = {optDynamicSize, optMBSize, optKBSize, optByteSize};
    for (int i = 0; i < 4; ++i) {
        units->addButton(order[i]);
        sizeLayout->addWidget(order[i], i / 2, i % 2);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addSpacing(8);
    layout->addWidget(sizeFrame);
    layout->addStretch();
}

void DisplayColumnsTab::load(SettingsStore& store) {
    for (const ColumnRow& c : kColumnKeys) columnSwitch[c.row]->setChecked(flagOn(store.read(*c.flag)));
    for (const ColumnRow& c : kColumnKeys) Text1[c.row]->setText(fromStored(store.read(*c.caption)));
    for (const ColumnRow& c : kColumnKeys) Text2[c.row]->setText(fromStored(store.read(*c.width)));
    const std::string unit = store.read(keys::DisplayFileSize);
    const std::pair<std::string_view, QRadioButton*> units[] = {
        {words::Bytes, optByteSize}, {words::Kb, optKBSize}, {words::Mb, optMBSize}, {words::Dynamic, optDynamicSize}};
    QRadioButton* chosen = nullptr;
    for (const auto& [word, button] : units)
        if (unit == word) chosen = button;
    const std::array<QRadioButton*, 4> all{optDynamicSize, optMBSize, optKBSize, optByteSize};
    selectOnly(all, chosen);
}

void DisplayColumnsTab::save(SettingsStore& store) {
    for (const ColumnRow& c : kColumnKeys) (void)store.write(*c.flag, flagText(columnSwitch[c.row]));
    for (const ColumnRow& c : kColumnKeys) (void)store.write(*c.caption, toStored(Text1[c.row]));
    for (const ColumnRow& c : kColumnKeys) (void)store.write(*c.width, toStored(Text2[c.row]));
    const std::string_view unit = optByteSize->isChecked()      ? words::Bytes
                                  : optKBSize->isChecked()      ? words::Kb
                                  : optMBSize->isChecked()      ? words::Mb
                                  : optDynamicSize->isChecked() ? words::Dynamic
                                                                : std::string_view{};
    (void)store.write(keys::DisplayFileSize, unit);
}

}  // namespace quillory::ui
