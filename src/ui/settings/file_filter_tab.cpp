#include "ui/settings/file_filter_tab.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "settings/store.h"
#include "settings/values.h"
#include "ui/settings/control_values.h"
#include "ui/settings/stored_date_time.h"

namespace quillory::ui {

namespace {

QGroupBox* patternFrame(const QString& title, QLineEdit* include, const QString& includeCaption, QLineEdit* skip,
                        const QString& skipCaption) {
    auto* frame = new QGroupBox(title);
    auto* form = new QFormLayout(frame);
    auto* includeLabel = new QLabel(includeCaption);
    auto* skipLabel = new QLabel(skipCaption);
    includeLabel->setBuddy(include);
    skipLabel->setBuddy(skip);
    form->addRow(includeLabel, include);
    form->addRow(skipLabel, skip);
    return frame;
}

// The pickers have no fixed range of their own to offer beyond the years a
// date-time can hold.
template <typename Edit>
Edit* picker(const char* name, const QString& format) {
    auto* edit = named(new Edit, name);
    edit->setMinimumDate(QDate(100, 1, 1));
    edit->setMaximumDate(QDate(9999, 12, 31));
    edit->setDisplayFormat(format);
    return edit;
}

void setPickers(QDateEdit* date, QTimeEdit* time, const PickerValues& values) {
    date->setDate(values.date);
    time->setTime(values.time);
}

// A text the pickers cannot read leaves them as they are.
void loadPickers(QDateEdit* date, QTimeEdit* time, const std::string& stored) {
    if (const auto values = pickerValues(stored)) setPickers(date, time, *values);
}

std::string storedPickers(const QDateEdit* date, const QTimeEdit* time) {
    return storedDateTime(PickerValues{date->date(), time->time()});
}

}  // namespace

FileFilterTab::FileFilterTab(QWidget* parent)
    : QWidget(parent),
      txtInclude(named(new QLineEdit, "txtInclude")),
      txtSkip(named(new QLineEdit, "txtSkip")),
      txtIncludeFol(named(new QLineEdit, "txtIncludeFol")),
      txtSkipFol(named(new QLineEdit, "txtSkipFol")),
      chFileTime(named(new QCheckBox("&Process only files modified between"), "chFileTime")),
      DTPicker1(picker<QDateEdit>("DTPicker1", dateDisplayFormat())),
      DTPicker2(picker<QTimeEdit>("DTPicker2", timeDisplayFormat())),
      DTPicker3(picker<QDateEdit>("DTPicker3", dateDisplayFormat())),
      DTPicker4(picker<QTimeEdit>("DTPicker4", timeDisplayFormat())),
      cmdCurrentTime(named(new QPushButton("Fill C&urrent Time"), "cmdCurrentTime")),
      chFileSize(named(new QCheckBox("Process only file si&zes between"), "chFileSize")),
      txtFromSize(named(new QLineEdit, "txtFromSize")),
      txtToSize(named(new QLineEdit, "txtToSize")) {
    DTPicker1->setCalendarPopup(true);
    DTPicker3->setCalendarPopup(true);
    fillCurrentTime();

    auto* timeFrame = new QGroupBox("File time filter");
    auto* startLabel = new QLabel("S&tart :");
    auto* endLabel = new QLabel("&End :");
    startLabel->setBuddy(DTPicker1);
    endLabel->setBuddy(DTPicker3);
    auto* pickers = new QHBoxLayout;
    pickers->addWidget(startLabel);
    pickers->addWidget(DTPicker1, 1);
    pickers->addWidget(DTPicker2, 1);
    pickers->addSpacing(12);
    pickers->addWidget(endLabel);
    pickers->addWidget(DTPicker3, 1);
    pickers->addWidget(DTPicker4, 1);
    auto* fillRow = new QHBoxLayout;
    fillRow->addStretch();
    fillRow->addWidget(cmdCurrentTime);
    auto* timeLayout = new QVBoxLayout(timeFrame);
    timeLayout->addWidget(chFileTime);
    timeLayout->addLayout(pickers);
    timeLayout->addLayout(fillRow);

    auto* sizeFrame = new QGroupBox("File size filter");
    auto* bounds = new QHBoxLayout;
    bounds->addWidget(txtFromSize, 1);
    bounds->addWidget(new QLabel("bytes"));
    bounds->addSpacing(12);
    bounds->addWidget(txtToSize, 1);
    bounds->addWidget(new QLabel("bytes"));
    bounds->addStretch(1);
    auto* sizeLayout = new QVBoxLayout(sizeFrame);
    sizeLayout->addWidget(chFileSize);
    sizeLayout->addLayout(bounds);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(patternFrame("File name filter. Use wildcards. Use semicolons to seperate entries.", txtInclude,
                                   "&Include :", txtSkip, "&Skip :"));
    layout->addWidget(patternFrame("Folder name filter. Use wildcards. Use semicolons to seperate entries.",
                                   txtIncludeFol, "In&clude :", txtSkipFol, "S&kip :"));
    layout->addWidget(timeFrame);
    layout->addWidget(sizeFrame);
    layout->addStretch();

    connect(cmdCurrentTime, &QPushButton::clicked, this, &FileFilterTab::fillCurrentTime);
}

void FileFilterTab::load(SettingsStore& store) {
    txtInclude->setText(fromStored(store.read(keys::FileInclude)));
    txtSkip->setText(fromStored(store.read(keys::FileExclude)));
    txtIncludeFol->setText(fromStored(store.read(keys::FolInclude)));
    txtSkipFol->setText(fromStored(store.read(keys::FolExclude)));
    loadPickers(DTPicker1, DTPicker2, store.read(keys::FileTimeFrom));
    loadPickers(DTPicker3, DTPicker4, store.read(keys::FileTimeTo));
    chFileTime->setChecked(flagOn(store.read(keys::FileTime)));
    chFileSize->setChecked(flagOn(store.read(keys::FileSize)));
    txtFromSize->setText(fromStored(store.read(keys::FileSizeFrom)));
    txtToSize->setText(fromStored(store.read(keys::FileSizeTo)));
}

void FileFilterTab::save(SettingsStore& store) {
    (void)store.write(keys::FileInclude, toStored(txtInclude));
    (void)store.write(keys::FileExclude, toStored(txtSkip));
    (void)store.write(keys::FolInclude, toStored(txtIncludeFol));
    (void)store.write(keys::FolExclude, toStored(txtSkipFol));
    (void)store.write(keys::FileTimeFrom, storedPickers(DTPicker1, DTPicker2));
    (void)store.write(keys::FileTimeTo, storedPickers(DTPicker3, DTPicker4));
    (void)store.write(keys::FileTime, flagText(chFileTime));
    (void)store.write(keys::FileSize, flagText(chFileSize));
    (void)store.write(keys::FileSizeFrom, toStored(txtFromSize));
    (void)store.write(keys::FileSizeTo, toStored(txtToSize));
}

void FileFilterTab::fillCurrentTime() {
    const PickerValues now = currentPickerValues();
    setPickers(DTPicker1, DTPicker2, now);
    setPickers(DTPicker3, DTPicker4, now);
}

}  // namespace quillory::ui
