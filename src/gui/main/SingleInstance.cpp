#include "gui/main/SingleInstance.h"

#include "base/Log.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace quiller {

namespace {
const QByteArray kRaise = "raise\n";
}

SingleInstance::SingleInstance(const QString& folder, const QString& name, QObject* parent)
    : QObject(parent), lock_(folder + QLatin1Char('/') + name + QStringLiteral(".lock")),
      socketPath_(folder + QLatin1Char('/') + name + QStringLiteral(".socket")) {
    // A lock left by a copy that died is taken over at once (its process is gone).
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::TryFirst() {
    if (!lock_.tryLock(0)) {
        // Only the copy holding the lock listens; a short wait for it is no device wait.
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(1000)) {
            socket.write(kRaise);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
        }
        qCInfo(lcOperator) << "another copy of the station runs; asked it to come to the front";
        return false;
    }
    // The lock is ours, so a socket file left here belongs to a copy that died.
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath_))
        qCWarning(lcOperator).noquote() << "cannot listen for a second launch on" << socketPath_
                                        << ":" << server_->errorString();
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->readAll().contains(kRaise.trimmed()))
                    emit raiseRequested();
            });
        }
    });
    return true;
}

} // namespace quiller
