#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings/PointerSettingsStore.h"

namespace vtr::platform {

// The desktop's own mouse settings, where GNOME keeps them.
inline constexpr std::string_view kGnomeMouseSchema = "org.gnome.desktop.peripherals.mouse";

// GNOME's pointer speed runs from -1 (slowest) through 0 (the default) to 1;
// the sensitivity runs from 1 to 20 with 10 as the default. A sensitivity s is
// the speed (s - 10) / 10, clamped to -1..1, so 1 is -0.9, 10 is 0 and 20 is 1.
// Back, a speed is rounded to the nearest tenth: -1 and -0.9 both read as 1,
// and every sensitivity 1..20 reads back as itself. A speed that is not a
// number reads as 10.
double GnomeSpeedOfSensitivity(int sensitivity);
int SensitivityOfGnomeSpeed(double speed);

// The pointer settings on a Linux (or other free) desktop.
//
// Where the desktop has a place for a setting, it is used, and that place is
// both the stored value and the live system: with GNOME's mouse schema
// installed, "MouseSensitivity" is its key `speed` (see the mapping above) and
// "DoubleClickSpeed" its key `double-click` (milliseconds). Everything else —
// the wheel scroll lines, the acceleration triple, and every value when the
// schema is missing or GSettings was not built in — lives in a file (see
// PointerSettingsFile.h), by default $XDG_CONFIG_HOME/vtr6420kd/pointer.ini.
//
// Both keys open while the store is usable: the desktop's settings are there,
// or the file can be read (or does not exist yet) and has a known place. A
// file larger than kMaxFileSize or unreadable leaves the file's values absent
// and is never overwritten; a write that would make the file larger than that
// is refused. Writes to the file are atomic, and create its folder.
//
// Live calls: the pointer speed (1..20) and double-click time (above 0) go to
// the desktop's settings when it has them; the acceleration triple and the
// wheel scroll lines have no desktop-wide setting to go to, and such calls do
// nothing.
class DesktopPointerStore : public settings::PointerSettingsStore {
  public:
    static constexpr std::size_t kMaxFileSize = 64 * 1024;

    struct Options {
        std::filesystem::path file;             // empty: DefaultFile()
        std::string schema{kGnomeMouseSchema};  // empty: the file only
    };

    // The default file and GNOME's schema when it is installed.
    DesktopPointerStore();
    explicit DesktopPointerStore(Options options);
    ~DesktopPointerStore() override;
    DesktopPointerStore(const DesktopPointerStore&) = delete;
    DesktopPointerStore& operator=(const DesktopPointerStore&) = delete;

    // $XDG_CONFIG_HOME/vtr6420kd/pointer.ini when XDG_CONFIG_HOME is an
    // absolute path, else $HOME/.config/vtr6420kd/pointer.ini; empty when
    // neither gives one.
    static std::filesystem::path DefaultFile();
    // Whether GSettings support was compiled in.
    static bool HasGSettings();

    const std::filesystem::path& file() const { return file_; }
    // Whether the desktop's settings hold the pointer speed / double-click time.
    bool desktopHasSpeed() const;
    bool desktopHasDoubleClick() const;

    bool openKey(std::string_view key) override;
    bool valueExists(std::string_view key, std::string_view name) override;
    std::optional<std::string> readText(std::string_view key, std::string_view name) override;
    bool writeText(std::string_view key, std::string_view name, std::string_view value) override;
    void setMouseSpeed(int sensitivity) override;
    void setMouseAcceleration(int threshold1, int threshold2, int speed) override;
    void setDoubleClickTime(int milliseconds) override;
    void setWheelScrollLines(int lines) override;

  private:
    struct Desktop;
    enum class Place { None, Speed, DoubleClick, File };

    Place placeOf(std::string_view key, std::string_view name) const;
    // The file's text: empty when it does not exist, nothing when unusable.
    std::optional<std::string> loadFile() const;

    // The desktop's settings, opened when first asked (opening them may
    // start a session bus, which the editor's start does not wait for).
    Desktop& desktop() const;

    std::filesystem::path file_;
    std::string schema_;
    mutable std::unique_ptr<Desktop> desktop_;
};

}  // namespace vtr::platform
