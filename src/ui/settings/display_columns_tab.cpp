#include "ui/settings/display_columns_tab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/settings/named_control.h"

namespace quillory::ui {

namespace {

struct ColumnCaption {
    const char* caption;
    const char* name;
};

// Rows 0 to 5: name, type, extension, size, date time, attributes. The
// heading and width boxes are named after their row: Text1_0, Text2_0...
constexpr int kRows = 6;
constexpr ColumnCaption kRowCaptions[kRows] = {
    {QT_TRANSLATE_NOOP("quillory::ui::DisplayColumnsTab", "&Name"), "chName"},
    {QT_TRANSLATE_NOOP("quillory::ui::DisplayColumnsTab", "&Type"), "chType"},
    {QT_TRANSLATE_NOOP("quillory::ui::DisplayColumnsTab", "&Extension"), "chExt"},
    {QT_TRANSLATE_NOOP("quillory::ui::DisplayColumnsTab", "&Size"), "chSize"},
    {QT_TRANSLATE_NOOP("quillory::ui::DisplayColumnsTab", "Date T&ime"), "chTime"},
    {QT_TRANSLATE_NOOP("quillory::ui::DisplayColumnsTab", "&Attributes"), "chAttrib"},
};

QPushButton* heading(const QString& caption, const char* name) {
    auto* button = named(new QPushButton(caption), name);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QString indexed(const char* array, int index) { return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index); }

}  // namespace

DisplayColumnsTab::DisplayColumnsTab(QWidget* parent) : QWidget(parent) {
    // The three headings over the rows do nothing when pressed.
    QPushButton* const headings[] = {heading(tr("Column"), "Command1"), heading(tr("Display name"), "Command2"),
                                     heading(tr("Width"), "Command3")};
    QRadioButton* const units[] = {named(new QRadioButton(tr("D&ynamic mode (Auto)")), "optDynamicSize"),
                                   named(new QRadioButton(tr("&Megabytes (Mb)")), "optMBSize"),
                                   named(new QRadioButton(tr("&Kilobytes (Kb)")), "optKBSize"),
                                   named(new QRadioButton(tr("&Bytes")), "optByteSize")};
    auto* columns = new QGridLayout;
    columns->setHorizontalSpacing(4);
    for (int column = 0; column < 3; ++column) columns->addWidget(headings[column], 0, column);
    for (int row = 0; row < kRows; ++row) {
        auto* shown = named(new QCheckBox(tr(kRowCaptions[row].caption)), kRowCaptions[row].name);
        auto* caption = new QLineEdit;
        caption->setObjectName(indexed("Text1", row));
        auto* width = new QLineEdit;
        width->setObjectName(indexed("Text2", row));
        columns->addWidget(shown, row + 1, 0);
        columns->addWidget(caption, row + 1, 1);
        columns->addWidget(width, row + 1, 2);
    }
    columns->setColumnStretch(0, 2);
    columns->setColumnStretch(1, 3);
    columns->setColumnStretch(2, 1);

    auto* sizeFrame = new QGroupBox(tr("Display  file size in"));
    auto* unitGroup = new QButtonGroup(this);
    auto* sizeLayout = new QGridLayout(sizeFrame);
    for (int i = 0; i < 4; ++i) {
        unitGroup->addButton(units[i]);
        sizeLayout->addWidget(units[i], i / 2, i % 2);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addSpacing(8);
    layout->addWidget(sizeFrame);
    layout->addStretch();
}

}  // namespace quillory::ui
