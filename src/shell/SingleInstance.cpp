#include "shell/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#else
#include <QLocalServer>
#include <QLocalSocket>
#endif

namespace vtr::shell {

namespace {

constexpr int kLockWaitMs = 5000;
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
#ifdef Q_OS_UNIX
    notifier_.reset();
    if (listenFd_ >= 0) {
        ::close(listenFd_);
        QFile::remove(socketPath());
    }
#else
    if (server_) {
        server_->close();
    }
#endif
}

QString SingleInstance::socketPath() const {
#ifdef Q_OS_UNIX
    return QDir(QDir::tempPath()).filePath(serverName_);
#else
    return serverName_;
#endif
}

bool SingleInstance::claim() {
    QLockFile lock(lockPath_);
    lock.setStaleLockTime(0);
    if (!lock.tryLock(kLockWaitMs)) {
        // Someone holds the lock for far too long; do not start a second editor
        // beside it.
        return false;
    }
    if (askRunningOne()) {
        return false;
    }
    // Nobody answers: whatever socket is left is stale. Failing to listen
    // leaves this editor unfindable by a later start, but nothing else runs:
    // go on.
    listen();
    return true;
}

#ifdef Q_OS_UNIX

namespace {

// The socket address of `path`; false when the path is too long for one.
bool socketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray bytes = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (bytes.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

}  // namespace

bool SingleInstance::askRunningOne() {
    sockaddr_un address{};
    if (!socketAddress(socketPath(), address)) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    // A local connect either succeeds or fails at once (nobody listening, no
    // such file); it never waits for the other side to accept. The
    // connection itself is the request; the words are for a reader.
    const bool running =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (running) {
        (void)::send(fd, kRaise, sizeof kRaise - 1, MSG_NOSIGNAL);
    }
    ::close(fd);
    return running;
}

bool SingleInstance::listen() {
    const QString path = socketPath();
    sockaddr_un address{};
    if (!socketAddress(path, address)) {
        return false;
    }
    QFile::remove(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    listenFd_ = fd;
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections() {
    // Every connection is a later start asking for the window; what it sends
    // is not waited for.
    bool asked = false;
    for (;;) {
        const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            break;
        }
        ::close(client);
        asked = true;
    }
    if (asked) {
        emit activationRequested();
    }
}

#else

constexpr int kConnectWaitMs = 1000;

bool SingleInstance::askRunningOne() {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kConnectWaitMs)) {
        return false;
    }
    socket.write(kRaise);
    socket.waitForBytesWritten(kConnectWaitMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen() {
    QLocalServer::removeServer(serverName_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName_)) {
        server_.reset();
        return false;
    }
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        emit activationRequested();
    }
}

#endif

}  // namespace vtr::shell
