#pragma once
// One running program per user and display. The lock is a file in the
// user's runtime folder; a lock left by a process that died (a crash,
// kill -9) is taken over, since its owner's process id no longer runs.
#include <QLockFile>
#include <QString>
#include <memory>

namespace quillory::ui {

class InstanceLock {
public:
    // Tries to take the lock at once; held() tells whether it worked.
    InstanceLock();
    explicit InstanceLock(const QString& lockPath);
    bool held() const { return m_held; }
    const QString& path() const { return m_path; }

    // The lock file for this user and display.
    static QString defaultPath();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};

}  // namespace quillory::ui
