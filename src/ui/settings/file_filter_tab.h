#pragma once
// The "File filter" page: file and folder name patterns, the modification
// time range and the size range.
#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace quillory {
class SettingsStore;
}

namespace quillory::ui {

class FileFilterTab : public QWidget {
    Q_OBJECT
public:
    explicit FileFilterTab(QWidget* parent = nullptr);

    // Patterns, time range, the two check boxes, the size bounds: in this order.
    void load(SettingsStore& store);
    void save(SettingsStore& store);
    // All four pickers to the current date and time; nothing is stored.
    void fillCurrentTime();

    QLineEdit* txtInclude;
    QLineEdit* txtSkip;
    QLineEdit* txtIncludeFol;
    QLineEdit* txtSkipFol;
    QCheckBox* chFileTime;
    QDateEdit* DTPicker1;  // start date
    QTimeEdit* DTPicker2;  // start time
    QDateEdit* DTPicker3;  // end date
    QTimeEdit* DTPicker4;  // end time
    QPushButton* cmdCurrentTime;
    QCheckBox* chFileSize;
    QLineEdit* txtFromSize;
    QLineEdit* txtToSize;
};

}  // namespace quillory::ui
