#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/PointerSettingsStore.h"

namespace vtr::platform {

// The pointer settings of the current Windows user: text values under
// HKEY_CURRENT_USER and the system parameters. Keys are opened for each
// operation and closed again; none is ever created.
class WindowsPointerStore : public settings::PointerSettingsStore {
  public:
    bool openKey(std::string_view key) override;
    bool valueExists(std::string_view key, std::string_view name) override;
    // REG_SZ and REG_EXPAND_SZ values up to 4 KiB, without their final NULs;
    // values of other types count as absent.
    std::optional<std::string> readText(std::string_view key, std::string_view name) override;
    // A REG_SZ value.
    bool writeText(std::string_view key, std::string_view name, std::string_view value) override;
    void setMouseSpeed(int sensitivity) override;
    void setMouseAcceleration(int threshold1, int threshold2, int speed) override;
    void setDoubleClickTime(int milliseconds) override;
    void setWheelScrollLines(int lines) override;
};

}  // namespace vtr::platform
