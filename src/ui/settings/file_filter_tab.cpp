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

#include "ui/settings/named_control.h"
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

}  // namespace

FileFilterTab::FileFilterTab(QWidget* parent)
    : QWidget(parent),
      m_startDate(picker<QDateEdit>("DTPicker1", dateDisplayFormat())),
      m_startTime(picker<QTimeEdit>("DTPicker2", timeDisplayFormat())),
      m_endDate(picker<QDateEdit>("DTPicker3", dateDisplayFormat())),
      m_endTime(picker<QTimeEdit>("DTPicker4", timeDisplayFormat())) {
    auto* fileInclude = named(new QLineEdit, "txtInclude");
    auto* fileSkip = named(new QLineEdit, "txtSkip");
    auto* folderInclude = named(new QLineEdit, "txtIncludeFol");
    auto* folderSkip = named(new QLineEdit, "txtSkipFol");
    auto* timeFilter = named(new QCheckBox(tr("&Process only files modified between")), "chFileTime");
    auto* fillNow = named(new QPushButton(tr("Fill C&urrent Time")), "cmdCurrentTime");
    auto* sizeFilter = named(new QCheckBox(tr("Process only file si&zes between")), "chFileSize");
    auto* fromSize = named(new QLineEdit, "txtFromSize");
    auto* toSize = named(new QLineEdit, "txtToSize");
    m_startDate->setCalendarPopup(true);
    m_endDate->setCalendarPopup(true);
    fillCurrentTime();

    auto* timeFrame = new QGroupBox(tr("File time filter"));
    auto* startLabel = new QLabel(tr("S&tart :"));
    auto* endLabel = new QLabel(tr("&End :"));
    startLabel->setBuddy(m_startDate);
    endLabel->setBuddy(m_endDate);
    auto* pickers = new QHBoxLayout;
    pickers->addWidget(startLabel);
    pickers->addWidget(m_startDate, 1);
    pickers->addWidget(m_startTime, 1);
    pickers->addSpacing(12);
    pickers->addWidget(endLabel);
    pickers->addWidget(m_endDate, 1);
    pickers->addWidget(m_endTime, 1);
    auto* fillRow = new QHBoxLayout;
    fillRow->addStretch();
    fillRow->addWidget(fillNow);
    auto* timeLayout = new QVBoxLayout(timeFrame);
    timeLayout->addWidget(timeFilter);
    timeLayout->addLayout(pickers);
    timeLayout->addLayout(fillRow);

    auto* sizeFrame = new QGroupBox(tr("File size filter"));
    auto* bounds = new QHBoxLayout;
    bounds->addWidget(fromSize, 1);
    bounds->addWidget(new QLabel(tr("bytes")));
    bounds->addSpacing(12);
    bounds->addWidget(toSize, 1);
    bounds->addWidget(new QLabel(tr("bytes")));
    bounds->addStretch(1);
    auto* sizeLayout = new QVBoxLayout(sizeFrame);
    sizeLayout->addWidget(sizeFilter);
    sizeLayout->addLayout(bounds);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(patternFrame(tr("File name filter. Use wildcards. Use semicolons to seperate entries."), fileInclude,
                                   tr("&Include :"), fileSkip, tr("&Skip :")));
    layout->addWidget(patternFrame(tr("Folder name filter. Use wildcards. Use semicolons to seperate entries."),
                                   folderInclude, tr("In&clude :"), folderSkip, tr("S&kip :")));
    layout->addWidget(timeFrame);
    layout->addWidget(sizeFrame);
    layout->addStretch();

    connect(fillNow, &QPushButton::clicked, this, &FileFilterTab::fillCurrentTime);
}

void FileFilterTab::fillCurrentTime() {
    const PickerValues now = currentPickerValues();
    setPickers(m_startDate, m_startTime, now);
    setPickers(m_endDate, m_endTime, now);
}

}  // namespace quillory::ui
