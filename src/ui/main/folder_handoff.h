#pragma once
// A folder handed from a second start of the program to the running one
// (the file manager's verb and "Open With" start the program once per
// folder). The running program listens on a local socket beside its
// instance lock; a second start sends the folder and ends.
#include <QLocalServer>
#include <QObject>
#include <QString>

namespace quillory::ui {

class FolderHandoff : public QObject {
    Q_OBJECT
public:
    explicit FolderHandoff(QObject* parent = nullptr);

    // The running program's side; call only while holding the instance lock,
    // which makes a socket file left at `path` a stale one.
    bool listen(const QString& path);

    // The second start's side: true when the running program took `folder`.
    static bool send(const QString& path, const QString& folder);

    // The socket that belongs to an instance lock file.
    static QString socketPath(const QString& lockPath);

Q_SIGNALS:
    void folderReceived(const QString& folder);

private:
    void takeConnection();

    QLocalServer m_server;
};

}  // namespace quillory::ui
