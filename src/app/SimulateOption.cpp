#include "app/SimulateOption.h"

#include <cstdlib>

namespace vtr::app {

namespace fs = std::filesystem;

bool ParseSimulateArgument(const std::string& arg, const fs::path& defaultFile,
                           SimulateOption& option, std::string& error) {
    if (arg == "--simulate") {
        option.file = defaultFile;
        return true;
    }
    if (arg.rfind("--simulate=", 0) == 0) {
        const std::string file = arg.substr(11);
        if (file.empty()) {
            error = "--simulate= needs a file name";
        } else {
            option.file = file;
        }
        return true;
    }
    if (arg.rfind("--simulate-type=", 0) == 0) {
        const std::string value = arg.substr(16);
        if (value == "2" || value == "10") {
            option.type = std::stoi(value);
            if (!option.file) {
                option.file = defaultFile;
            }
        } else {
            error = "--simulate-type must be 2 or 10, not '" + value + "'";
        }
        return true;
    }
    return false;
}

std::unique_ptr<device::SimulatedMouse> OpenSimulatedMouse(const SimulateOption& option,
                                                           std::string& error) {
    const int type = option.type != 0 ? option.type : 10;
    auto mouse = std::make_unique<device::SimulatedMouse>(type);
    if (!option.file) {
        return mouse;
    }
    if (const auto failure = mouse->attachFile(*option.file, type)) {
        error = *failure;
        return nullptr;
    }
    const int stored = mouse->firmware().deviceType();
    if (option.type != 0 && stored != option.type) {
        error = "the simulated mouse in " + option.file->string() + " is of device type " +
                std::to_string(stored) + "; remove the file to start a fresh mouse of type " +
                std::to_string(option.type);
        return nullptr;
    }
    return mouse;
}

fs::path DefaultSimulateFile() {
    fs::path state;
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg) {
        state = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        state = fs::path(home) / ".local" / "state";
    } else {
        state = fs::temp_directory_path();
    }
    return state / "vtr6420kd" / "simulated-mouse.bin";
}

}  // namespace vtr::app
