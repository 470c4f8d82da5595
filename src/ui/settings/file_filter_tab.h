#pragma once
// The "File filter" page: file and folder name patterns, the modification
// time range and the size range. The dialog's option table fills and reads
// its controls by their object names.
#include <QWidget>

class QDateEdit;
class QTimeEdit;

namespace quillory::ui {

class FileFilterTab : public QWidget {
    Q_OBJECT
public:
    explicit FileFilterTab(QWidget* parent = nullptr);

    // All four pickers to the current date and time; nothing is stored.
    void fillCurrentTime();

private:
    QDateEdit* m_startDate;
    QTimeEdit* m_startTime;
    QDateEdit* m_endDate;
    QTimeEdit* m_endTime;
};

}  // namespace quillory::ui
