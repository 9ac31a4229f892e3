#pragma once

#include <QObject>

namespace vtr::shell {

class MainWindow;

// The Main Control page (1): the nine key labels' menus, the category and function panels, the
// macro list and the combination-key dialog. Its controls live in the window's page container and
// are registered with the window by name, so the layout places them and tests find them.
class MainControlPage final : public QObject {
    Q_OBJECT
  public:
    explicit MainControlPage(MainWindow& window);

  private:
    MainWindow& window_;
};

}  // namespace vtr::shell
