#pragma once
// Naming a control as it is created: the settings dialog's option table and
// the tests find the controls by these object names.
#include <QObject>

namespace quillory::ui {

template <typename W>
W* named(W* widget, const char* objectName) {
    widget->setObjectName(objectName);
    return widget;
}

}  // namespace quillory::ui
