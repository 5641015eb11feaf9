#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

namespace quiller {

// One station per user: the first copy holds a lock file and listens on a local socket
// beside it; a second copy finds the lock taken, asks the first over the socket to come
// to the front, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // folder: where the lock and the socket live; name: their base name.
    SingleInstance(const QString& folder, const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the first copy (it now listens); false when another copy runs,
    // which has then been asked to come to the front.
    bool TryFirst();

    QString SocketPath() const { return socketPath_; }

signals:
    // A later copy asked this one to come to the front.
    void raiseRequested();

private:
    QLockFile lock_;
    QString socketPath_;
    QLocalServer* server_ = nullptr;
};

} // namespace quiller
