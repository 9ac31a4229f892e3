#include "shell/AdvancedPage.h"

#include "shell/MainWindow.h"

namespace vtr::shell {

AdvancedPage::AdvancedPage(MainWindow& window) : QObject(&window), window_(window) {}

}  // namespace vtr::shell
