#include "shell/FontWarmup.h"

#include <QFontDatabase>
#include <QStringList>

namespace vtr::shell {

FontWarmup::FontWarmup() : thread_([] { (void)QFontDatabase::families(); }) {}

FontWarmup::~FontWarmup() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace vtr::shell
