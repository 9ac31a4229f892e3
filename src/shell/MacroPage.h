#pragma once

#include <QObject>

namespace vtr::shell {

class MainWindow;

// The Macro page (4): macro names, the step view, the record, delay and insert panels, the macro
// name dialog and macro files. Its controls live in the window's page container and are registered
// with the window by name, so the layout places them and tests find them.
class MacroPage final : public QObject {
    Q_OBJECT
  public:
    explicit MacroPage(MainWindow& window);

  private:
    MainWindow& window_;
};

}  // namespace vtr::shell
