#include "shell/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vtr::shell {

namespace {

constexpr int kLockWaitMs = 5000;
constexpr int kConnectWaitMs = 1000;
constexpr char kRaise[] = "raise\n";

// The user, and on Unix the display the editor shows on: one editor per
// desktop, so that a user's sessions on two displays (or test servers side by
// side) each have their own.
QString userPart() {
#ifdef Q_OS_UNIX
    QString part = QString::number(getuid());
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qEnvironmentVariable("DISPLAY");
    }
    if (!display.isEmpty()) {
        for (QChar& c : display) {
            if (!(c.isLetterOrNumber() && c.unicode() < 128)) {
                c = QLatin1Char('_');
            }
        }
        part += QLatin1Char('-') + display;
    }
    return part;
#else
    QString user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QStringLiteral("user") : user;
#endif
}

}  // namespace

SingleInstance::SingleInstance(const QString& name, const QString& lockFolder)
    : serverName_(name + QLatin1Char('-') + userPart()) {
    const QString folder = lockFolder.isEmpty() ? QDir::tempPath() : lockFolder;
    lockPath_ = QDir(folder).filePath(serverName_ + QStringLiteral(".lock"));
}

SingleInstance::~SingleInstance() {
    if (server_) {
        server_->close();
    }
}

bool SingleInstance::claim() {
    QLockFile lock(lockPath_);
    lock.setStaleLockTime(0);
    if (!lock.tryLock(kLockWaitMs)) {
        // Someone holds the lock for far too long; do not start a second editor
        // beside it.
        return false;
    }
    {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(kConnectWaitMs)) {
            socket.write(kRaise);
            socket.waitForBytesWritten(kConnectWaitMs);
            socket.disconnectFromServer();
            return false;
        }
    }
    // Nobody answers: whatever socket file is left is stale.
    QLocalServer::removeServer(serverName_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName_)) {
        server_.reset();
        // No way to be found by a later start, but nothing else runs: go on.
        return true;
    }
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        auto take = [this, socket] {
            if (socket->bytesAvailable() > 0 && socket->readAll().contains('\n')) {
                emit activationRequested();
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, take);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        take();
    }
}

}  // namespace vtr::shell
