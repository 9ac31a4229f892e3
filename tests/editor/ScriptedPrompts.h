#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editor/Prompts.h"

namespace vtr::editor {

// Answers for the user: records every message and question, hands out the
// files queued for the dialogs (nothing queued: the user cancels).
class ScriptedPrompts final : public Prompts {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    bool question(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }
    std::optional<std::filesystem::path> saveFile(const FileFilter& filter) override {
        filters.push_back(filter.description);
        return next();
    }
    std::optional<std::filesystem::path> openFile(const FileFilter& filter) override {
        filters.push_back(filter.description);
        return next();
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> filters;
    std::deque<std::filesystem::path> files;
    bool answer = true;

  private:
    std::optional<std::filesystem::path> next() {
        if (files.empty()) {
            return std::nullopt;
        }
        auto path = files.front();
        files.pop_front();
        return path;
    }
};

}  // namespace vtr::editor
