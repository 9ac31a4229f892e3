#pragma once

#include <optional>
#include <string>
#include <vector>

#include "macros/MacroEditor.h"

namespace vtr::keys {
class ButtonAssignment;
}

// The `macro` commands of vtr6420kdctl, on the macro editor of a profile file's
// session or of the editor connected to the mouse.
namespace vtr::app {

struct MacroCommandResult {
    int exitStatus = 0;      // 0 done, 2 refused
    bool changed = false;    // the macros (or bindings) changed: save them
    std::string output;      // what to print on stdout
    std::string error;       // what to print on stderr (already worded)
};

// `words` follow "macro": {"list"}, {"show", "2"}, {"set", "1", "+a", "96ms", "-a"} ...
// File commands read and write files themselves. `languageText` turns a
// message key into its text.
MacroCommandResult RunMacroCommand(macros::MacroEditor& editor, keys::ButtonAssignment& buttons,
                                   const std::vector<std::string>& words,
                                   const std::function<std::string(const std::string&)>& text);

// The compact step syntax of `macro set`, for help texts.
extern const char* const kMacroStepSyntax;

}  // namespace vtr::app
