#pragma once

#include <memory>

#include "settings/PointerSettingsStore.h"

namespace vtr::platform {

// The current user's pointer settings on this system: the registry and system
// parameters on Windows, the desktop's settings and the settings file elsewhere.
std::unique_ptr<settings::PointerSettingsStore> OpenSystemPointerStore();

}  // namespace vtr::platform
