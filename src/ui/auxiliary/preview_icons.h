#pragma once
// The preview toolbar's button images, drawn at whatever size the toolbar
// asks for: no image files or image plugins to install.
#include <QIcon>

namespace quillory::ui {

QIcon saveIcon();
QIcon printIcon();
QIcon closeIcon();

}  // namespace quillory::ui
