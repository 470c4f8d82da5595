#include "ui/main/long_path.h"

#include <QFile>
#include <climits>
#include <cstdlib>
#include <memory>

namespace quillory::ui {

QString getLongPath(const QString& path) {
    if (path.isEmpty()) return {};
    // realpath works on the bytes, so a name that is not valid UTF-8 survives.
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(QFile::encodeName(path).constData(), nullptr),
                                                               &std::free);
    return resolved ? QFile::decodeName(resolved.get()) : QString();
}

}  // namespace quillory::ui
