#pragma once
// The about box: not modal, one at a time.
class QWidget;

namespace quillory::ui {

// Opens the about box, or raises the one already open.
void showAbout(QWidget* parent);

}  // namespace quillory::ui
