#pragma once
// What a control of the settings dialog shows, as one comparable text:
// a text box its text, a check box or option button "on"/"off", a date
// picker yyyy-MM-dd, a time picker HH:mm, the scheme list its index, and a
// sample label, addressed as name.back, name.text or name.font, its
// background, its text colour (#RRGGBB) or "face size[ bold]".
#include <QString>

class QWidget;

namespace quillory::ui::test {

QString controlText(const QWidget& dialog, const QString& name);

}  // namespace quillory::ui::test
