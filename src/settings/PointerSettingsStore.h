#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vtr::settings {

// The per-user pointer settings as the editor sees them: two keys
// ("Control Panel\\Mouse", "Control Panel\\Desktop") holding decimal text
// values, and four live-system calls. The Windows registry is the model of
// this interface; other systems map it onto what they have.
class PointerSettingsStore {
  public:
    virtual ~PointerSettingsStore() = default;

    // Opens a key without creating it; false when it does not exist or cannot
    // be opened.
    virtual bool openKey(std::string_view key) = 0;
    virtual bool valueExists(std::string_view key, std::string_view name) = 0;
    // The stored text, or nothing when the value does not exist.
    virtual std::optional<std::string> readText(std::string_view key, std::string_view name) = 0;
    // Stores a text value in an existing key; false when it could not.
    virtual bool writeText(std::string_view key, std::string_view name, std::string_view value) = 0;

    // The live system: SPI_SETMOUSESPEED, SPI_SETMOUSE (threshold1, threshold2,
    // speed), SPI_SETDOUBLECLICKTIME, SPI_SETWHEELSCROLLLINES. Results are not
    // reported.
    virtual void setMouseSpeed(int sensitivity) = 0;
    virtual void setMouseAcceleration(int threshold1, int threshold2, int speed) = 0;
    virtual void setDoubleClickTime(int milliseconds) = 0;
    virtual void setWheelScrollLines(int lines) = 0;
};

inline constexpr std::string_view kMouseKey = "Control Panel\\Mouse";
inline constexpr std::string_view kDesktopKey = "Control Panel\\Desktop";

// The value names under the two keys.
inline constexpr std::string_view kMouseSensitivity = "MouseSensitivity";  // kMouseKey
inline constexpr std::string_view kMouseSpeed = "MouseSpeed";              // kMouseKey
inline constexpr std::string_view kMouseThreshold1 = "MouseThreshold1";    // kMouseKey
inline constexpr std::string_view kMouseThreshold2 = "MouseThreshold2";    // kMouseKey
inline constexpr std::string_view kDoubleClickSpeed = "DoubleClickSpeed";  // kMouseKey
inline constexpr std::string_view kWheelScrollLines = "WheelScrollLines";  // kDesktopKey

// Reads a stored value as a decimal integer: optional blanks, an optional sign,
// one or more ASCII digits, optional blanks, and a value that fits an int.
// Anything else (empty text, hexadecimal, "12px", an overflowing number) is not
// a number, and the pointer settings treat such a value as absent.
std::optional<int> ParseDecimal(std::string_view text);

}  // namespace vtr::settings
