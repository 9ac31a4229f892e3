#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "editor/SettingsSession.h"
#include "image/ConfigImage.h"
#include "macros/MacroEditor.h"
#include "macros/MacroMemory.h"

// The settings side of vtr6420kdctl: profile files, `show` and `set`.
namespace vtr::app {

// A profile file read and checked: 235 bytes with type byte 2 or 583 bytes with
// type byte 10.
struct ProfileFile {
    image::ConfigImage image;
    int deviceType = 0;
    std::size_t size = 0;
};
std::optional<ProfileFile> LoadProfileFile(const std::filesystem::path& path, std::string& error);

// A profile file opened for editing: its settings and its macros decoded, the
// buttons' macro names taken from its own macro area.
class ProfileSession {
public:
    ProfileSession(const text::Languages& languages, ProfileFile profile);
    ProfileSession(const ProfileSession&) = delete;
    ProfileSession& operator=(const ProfileSession&) = delete;

    // The file's bytes after the edits: macro bindings follow their macros,
    // the settings are encoded.
    std::vector<std::uint8_t> encode();

    ProfileFile profile;
    macros::MacroMemory memory;
    editor::SettingsSession settings;
    macros::MacroEditor macroEditor{memory};
};

// The decoded settings as text for people, and as JSON (schema in the README).
std::string SettingsText(editor::SettingsSession& session, int deviceType);
nlohmann::ordered_json SettingsJson(editor::SettingsSession& session, int deviceType);

// One `set` edit, e.g. {"button", "3", "volume-up"} or {"cpi", "--levels",
// "1000,1600", "--current", "2"}, applied through the settings models. On bad
// input returns the message and leaves the session as it was.
std::optional<std::string> ApplySetCommand(editor::SettingsSession& session,
                                           const std::vector<std::string>& words);

// The names `set button` accepts, for help and error messages.
std::string FunctionNamesHelp();

}  // namespace vtr::app
