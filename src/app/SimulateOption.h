#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "device/SimulatedMouse.h"

namespace vtr::app {

// `--simulate[=FILE]` and `--simulate-type=2|10`, shared by both programs.
struct SimulateOption {
    std::optional<std::filesystem::path> file;  // set: use the simulated mouse
    int type = 0;                               // 0: not given
};

// Takes one command-line argument. Returns false when it is not one of these
// options; sets `error` when it is one but its value is wrong.
bool ParseSimulateArgument(const std::string& arg, const std::filesystem::path& defaultFile,
                           SimulateOption& option, std::string& error);

// The simulated mouse the option asks for, its memory kept in the file. Null
// with `error` set when the file cannot be used or holds a mouse of another type
// than the one asked for.
std::unique_ptr<device::SimulatedMouse> OpenSimulatedMouse(const SimulateOption& option,
                                                           std::string& error);

// $XDG_STATE_HOME/vtr6420kd/simulated-mouse.bin (or ~/.local/state/...).
std::filesystem::path DefaultSimulateFile();

}  // namespace vtr::app
