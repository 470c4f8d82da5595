#pragma once
// Small shared steps of the settings pages: naming a control, and moving text
// and check marks between the store's form and the controls.
#include <QCheckBox>
#include <QLineEdit>
#include <QString>
#include <string>

#include "settings/values.h"

namespace quillory::ui {

template <typename W>
W* named(W* widget, const char* objectName) {
    widget->setObjectName(objectName);
    return widget;
}

inline QString fromStored(const std::string& text) { return QString::fromStdString(text); }
inline std::string toStored(const QLineEdit* box) { return box->text().toStdString(); }
inline const char* flagText(const QCheckBox* box) { return boolToFlag(box->isChecked()); }

}  // namespace quillory::ui
