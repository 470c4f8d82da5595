#pragma once
// An up-down control tied to a text box: each click moves the number shown in
// the box by one, within a range. The box keeps any text the user types; a
// click on text without a number starts from 0.
#include <QString>
#include <QWidget>

class QLineEdit;

namespace quillory::ui {

// The text after one step of `delta` from the leading number of `text`,
// kept within lowest..highest.
QString steppedNumber(const QString& text, int delta, int lowest, int highest);

class UpDown : public QWidget {
    Q_OBJECT
public:
    // The arrow keys in `buddy` step too.
    UpDown(QLineEdit* buddy, int lowest, int highest, QWidget* parent = nullptr);

    void stepBy(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_buddy;
    int m_lowest;
    int m_highest;
};

}  // namespace quillory::ui
