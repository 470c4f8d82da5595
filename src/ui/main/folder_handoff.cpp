#include "ui/main/folder_handoff.h"

#include <QLocalSocket>

namespace quillory::ui {

namespace {

constexpr int kWaitMs = 3000;

}  // namespace

FolderHandoff::FolderHandoff(QObject* parent) : QObject(parent) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &FolderHandoff::takeConnection);
}

bool FolderHandoff::listen(const QString& path) {
    QLocalServer::removeServer(path);
    return m_server.listen(path);
}

QString FolderHandoff::socketPath(const QString& lockPath) {
    QString path = lockPath;
    if (path.endsWith(QLatin1String(".lock"))) path.chop(5);
    return path + QLatin1String(".socket");
}

// One line of UTF-8 per connection; the reply "1" says it was taken.
void FolderHandoff::takeConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            QByteArray line = socket->readLine();
            line.chop(1);
            socket->write("1");
            socket->disconnectFromServer();
            Q_EMIT folderReceived(QString::fromUtf8(line));
        });
    }
}

bool FolderHandoff::send(const QString& path, const QString& folder) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kWaitMs)) return false;
    socket.write(folder.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kWaitMs)) return false;
    return socket.waitForReadyRead(kWaitMs) && socket.read(1) == "1";
}

}  // namespace quillory::ui
