#include "ui/main/instance_lock.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>

namespace quillory::ui {

namespace {

QString displayName() {
    for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
        const QString value = QString::fromLocal8Bit(std::getenv(variable));
        if (!value.isEmpty()) return value;
    }
    return QStringLiteral("none");
}

}  // namespace

QString InstanceLock::defaultPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    QString display = displayName();
    for (QChar& c : display)
        if (!c.isLetterOrNumber() && c != u'.' && c != u'-') c = u'_';
    return folder + QLatin1String("/quillory-") + display + QLatin1String(".lock");
}

InstanceLock::InstanceLock() : InstanceLock(defaultPath()) {}

InstanceLock::InstanceLock(const QString& lockPath) : m_path(lockPath), m_lock(std::make_unique<QLockFile>(lockPath)) {
    // Held for the program's whole life: only a dead owner makes a lock stale,
    // never its age.
    m_lock->setStaleLockTime(0);
    m_held = m_lock->tryLock(0);
}

}  // namespace quillory::ui
