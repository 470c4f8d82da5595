#include "ui/settings/up_down.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "settings/values.h"

namespace quillory::ui {

QString steppedNumber(const QString& text, int delta, int lowest, int highest) {
    const double start = leadingNumber(text.toStdString());
    const double stepped = std::clamp(std::trunc(start) + delta, double(lowest), double(highest));
    return QString::number(static_cast<int>(stepped));
}

UpDown::UpDown(QLineEdit* buddy, int lowest, int highest, QWidget* parent)
    : QWidget(parent), m_buddy(buddy), m_lowest(lowest), m_highest(highest) {
    auto makeArrow = [this](Qt::ArrowType arrow, int delta) {
        auto* button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);  // the box's arrow keys do the same
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        connect(button, &QToolButton::clicked, this, [this, delta] { stepBy(delta); });
        return button;
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeArrow(Qt::UpArrow, 1));
    layout->addWidget(makeArrow(Qt::DownArrow, -1));
    setFixedHeight(buddy->sizeHint().height());
    buddy->installEventFilter(this);
}

void UpDown::stepBy(int delta) {
    m_buddy->setText(steppedNumber(m_buddy->text(), delta, m_lowest, m_highest));
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quillory::ui
