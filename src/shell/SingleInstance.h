#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <memory>

namespace vtr::shell {

// One running editor per user and display. The first process listens on a
// local socket named after the program, the user and the display; a later one connects, asks it to
// come to the front and ends. A lock file makes "connect, else listen" one step, so that processes
// started together cannot both become the first; a socket left behind by a killed process is
// removed under the same lock.
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
    void acceptConnections();

    QString serverName_;
    QString lockPath_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace vtr::shell
