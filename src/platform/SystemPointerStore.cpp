#include "platform/SystemPointerStore.h"

#ifdef _WIN32
#include "platform/WindowsPointerStore.h"
#else
#include "platform/DesktopPointerStore.h"
#endif

namespace vtr::platform {

std::unique_ptr<settings::PointerSettingsStore> OpenSystemPointerStore() {
#ifdef _WIN32
    return std::make_unique<WindowsPointerStore>();
#else
    return std::make_unique<DesktopPointerStore>();
#endif
}

}  // namespace vtr::platform
