#include "shell/MacroPage.h"

#include "shell/MainWindow.h"

namespace vtr::shell {

MacroPage::MacroPage(MainWindow& window) : QObject(&window), window_(window) {}

}  // namespace vtr::shell
