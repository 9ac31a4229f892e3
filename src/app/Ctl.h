#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "device/Clock.h"
#include "device/HidBackend.h"
#include "settings/PointerSettingsStore.h"

namespace vtr::app {

// What the command-line tool needs from the world, so tests can give it a
// simulated mouse and virtual time.
struct CtlEnvironment {
    // The machine's HID interfaces (hidapi for the real program).
    std::function<std::unique_ptr<device::HidBackend>()> realBackend;
    device::Clock* clock = nullptr;
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
    // Progress is drawn only on a terminal.
    bool errIsTerminal = false;
    // Where --simulate keeps the simulated mouse's memory without a FILE.
    std::filesystem::path defaultSimulateFile;
    // The user's pointer settings (the desktop's for the real program).
    std::function<std::unique_ptr<settings::PointerSettingsStore>()> pointerStore;
};

enum ExitStatus { kExitOk = 0, kExitDevice = 1, kExitUsage = 2 };

// Runs `vtr6420kdctl` with its arguments (without the program name).
int RunCtl(const std::vector<std::string>& args, const CtlEnvironment& env);

}  // namespace vtr::app
