#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vtr::editor {

// A file dialog's filter: "SaveFile(*.bin)" shows *.bin files.
struct FileFilter {
    std::string description;
    std::string pattern;
};

// How the editor talks to the user. The window shows real dialogs; tests and
// the command-line tool answer for the user.
class Prompts {
  public:
    virtual ~Prompts() = default;
    // A plain message box with one OK button.
    virtual void message(const std::string& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(const std::string& text) = 0;
    // A file to write (asking before an existing one is replaced), or nothing
    // when the user cancels.
    virtual std::optional<std::filesystem::path> saveFile(const FileFilter& filter) = 0;
    // A file to read, or nothing when the user cancels.
    virtual std::optional<std::filesystem::path> openFile(const FileFilter& filter) = 0;
};

}  // namespace vtr::editor
