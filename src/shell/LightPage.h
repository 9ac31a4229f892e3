#pragma once

#include <QObject>

namespace vtr::shell {

class MainWindow;

// The Breathing Light page (3): the lighting switches, modes and their timing boxes.
// Its controls live in the window's page container and are registered with
// the window by name, so the layout places them and tests find them.
class LightPage final : public QObject {
    Q_OBJECT
  public:
    explicit LightPage(MainWindow& window);

  private:
    MainWindow& window_;
};

}  // namespace vtr::shell
