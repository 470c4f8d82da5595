#pragma once
// Where the program's user guide and web page are.
#include <QString>

namespace quillory::ui {

// The user guide to open with the default handler: help.html in the program's
// folder when it is there, else the installed copy.
QString helpFilePath();
QString productWebAddress();

}  // namespace quillory::ui
