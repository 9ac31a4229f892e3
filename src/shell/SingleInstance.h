#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>
#include <memory>

class QLocalServer;
class QSocketNotifier;

namespace vtr::shell {

// One running editor per user and display. The first process listens on a
// local socket named after the program, the user and the display (in the
// temporary folder, readable by its user only); a later one connects, asks it
// to come to the front and ends. A lock file makes "connect, else listen" one
// step, so that processes started together cannot both become the first; a
// socket left behind by a killed process is removed under the same lock. On
// Unix the socket is the system's own (keeping Qt's network library, and the
// time and memory it costs, out of the editor); elsewhere Qt's local server.
class SingleInstance final : public QObject {
    Q_OBJECT
  public:
    // `name` without the user part ("vtr6420kd"); `lockFolder` empty: the
    // system's temporary folder.
    explicit SingleInstance(const QString& name, const QString& lockFolder = {});
    ~SingleInstance() override;

    // True when this process is now the running instance; false when another
    // one runs and was asked to come to the front (or could not be told and
    // could not be replaced).
    bool claim();

    QString serverName() const { return serverName_; }

  signals:
    // Another start asked this one to come to the front.
    void activationRequested();

  private:
    // The socket's path (Unix) or the server's name.
    QString socketPath() const;
    bool askRunningOne();
    bool listen();
    void acceptConnections();

    QString serverName_;
    QString lockPath_;
#ifdef Q_OS_UNIX
    int listenFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
#else
    std::unique_ptr<QLocalServer> server_;
#endif
};

}  // namespace vtr::shell
