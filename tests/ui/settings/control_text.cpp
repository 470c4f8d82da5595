#include "control_text.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>

namespace quillory::ui::test {

namespace {

QString labelText(const QLabel* label, const QString& part) {
    if (part == "back") return label->palette().color(QPalette::Window).name().toUpper();
    if (part == "text") return label->palette().color(QPalette::WindowText).name().toUpper();
    const QFont font = label->font();
    return QString("%1 %2%3").arg(font.family()).arg(font.pointSizeF()).arg(font.bold() ? " bold" : "");
}

}  // namespace

QString controlText(const QWidget& dialog, const QString& name) {
    const QString object = name.section('.', 0, 0);
    const QObject* o = dialog.findChild<QObject*>(object);
    if (auto* box = qobject_cast<const QLineEdit*>(o)) return box->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(o)) return button->isChecked() ? "on" : "off";
    if (auto* date = qobject_cast<const QDateEdit*>(o)) return date->date().toString("yyyy-MM-dd");
    if (auto* time = qobject_cast<const QTimeEdit*>(o)) return time->time().toString("HH:mm");
    if (auto* combo = qobject_cast<const QComboBox*>(o)) return QString::number(combo->currentIndex());
    if (auto* label = qobject_cast<const QLabel*>(o)) return labelText(label, name.section('.', 1, 1));
    return "no control " + name;
}

}  // namespace quillory::ui::test
