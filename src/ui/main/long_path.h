#pragma once
// The long form of a path given on the command line.
#include <QString>

namespace quillory::ui {

// The absolute path with links resolved, or empty when it does not exist.
QString getLongPath(const QString& path);

}  // namespace quillory::ui
