#include "shell/LightPage.h"

#include "shell/MainWindow.h"

namespace vtr::shell {

LightPage::LightPage(MainWindow& window) : QObject(&window), window_(window) {}

}  // namespace vtr::shell
