#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "editor/Prompts.h"

namespace vtr::shell {

// The editor's prompts as the window's dialogs: plain message boxes with one
// OK button and no icon, titled with the current language's title; Yes/No
// questions; and the system's file dialogs for profile and macro files.
class DialogPrompts final : public editor::Prompts {
  public:
    DialogPrompts(QWidget* parent, std::function<QString()> title);

    void message(const std::string& text) override;
    bool question(const std::string& text) override;
    // The chosen name, ".bin" added when it does not end so; when that file
    // exists the user is asked before it is replaced, and "No" opens the
    // dialog again.
    std::optional<std::filesystem::path> saveFile(const editor::FileFilter& filter) override;
    std::optional<std::filesystem::path> openFile(const editor::FileFilter& filter) override;

    // A message's text as shown: the editor's carriage returns become line
    // breaks.
    static QString displayText(const std::string& text);
    // "SaveFile(*.bin)" as a dialog's name filter.
    static QString nameFilter(const editor::FileFilter& filter);

  private:
    QPointer<QWidget> parent_;
    std::function<QString()> title_;
};

}  // namespace vtr::shell
