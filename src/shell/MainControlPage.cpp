#include "shell/MainControlPage.h"

#include "shell/MainWindow.h"

namespace vtr::shell {

MainControlPage::MainControlPage(MainWindow& window) : QObject(&window), window_(window) {}

}  // namespace vtr::shell
