#pragma once

#include <QObject>

namespace vtr::shell {

class MainWindow;

// The Advanced page (2): CPI levels, fire key and the three pointer bars.
// Its controls live in the window's page container and are registered with
// the window by name, so the layout places them and tests find them.
class AdvancedPage final : public QObject {
    Q_OBJECT
  public:
    explicit AdvancedPage(MainWindow& window);

  private:
    MainWindow& window_;
};

}  // namespace vtr::shell
