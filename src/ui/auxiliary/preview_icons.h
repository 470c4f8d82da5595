#pragma once
// The preview toolbar's button images: the desktop theme's, else drawn at
// whatever size the toolbar asks for (no image files or plugins to install).
#include <QIcon>

namespace quillory::ui {

QIcon saveIcon();
QIcon printIcon();
QIcon closeIcon();

}  // namespace quillory::ui
