#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/PointerSettingsStore.h"

namespace vtr::settings {

// The four live-system actions, in the order the editor makes them.
enum class LiveAction { MouseSpeed, MouseAcceleration, DoubleClickTime, WheelScrollLines };

// One live call: MouseAcceleration carries (threshold1, threshold2, speed),
// the others their single value in args[0] and zeros after it.
struct LiveCall {
    LiveAction action = LiveAction::MouseSpeed;
    std::array<int, 3> args{};

    bool operator==(const LiveCall&) const = default;
};
LiveCall MouseSpeedCall(int sensitivity);
LiveCall MouseAccelerationCall(int threshold1, int threshold2, int speed);
LiveCall DoubleClickTimeCall(int milliseconds);
LiveCall WheelScrollLinesCall(int lines);
// "SPI_SETMOUSESPEED 16", "SPI_SETMOUSE 6 10 1", "SPI_SETDOUBLECLICKTIME 500", ...
std::string ToString(const LiveCall& call);
std::ostream& operator<<(std::ostream& out, const LiveCall& call);

struct StoredWrite {
    std::string key;
    std::string name;
    std::string value;

    bool operator==(const StoredWrite&) const = default;
};
std::ostream& operator<<(std::ostream& out, const StoredWrite& write);

// What the live system was last given by each call; nothing until its call.
struct LiveState {
    std::optional<int> mouseSpeed;
    std::optional<std::array<int, 3>> acceleration;
    std::optional<int> doubleClickTime;
    std::optional<int> wheelScrollLines;
};

// A pointer-settings store in memory, for tests and for runs that must not
// touch the user's settings. Keys and values can be preset; successful writes
// and every live call are recorded in order. Keys and names match exactly.
class MemoryPointerStore : public PointerSettingsStore {
  public:
    struct Value {
        std::string_view key;
        std::string_view name;
        std::string_view text;
    };

    // Both keys exist and hold no values.
    MemoryPointerStore() : MemoryPointerStore({}) {}
    // Both keys exist and hold `values`.
    MemoryPointerStore(std::initializer_list<Value> values);

    // --- setting up ---
    void addKey(std::string_view key);
    // The key and its values go: openKey fails, writes into it fail.
    void removeKey(std::string_view key);
    // Sets a value, adding its key when missing. Not recorded as a write.
    void setValue(std::string_view key, std::string_view name, std::string_view text);
    void eraseValue(std::string_view key, std::string_view name);
    // While false, every writeText fails and changes nothing.
    void setWritable(bool writable) { writable_ = writable; }

    // --- looking ---
    bool hasKey(std::string_view key) const;
    std::optional<std::string> value(std::string_view key, std::string_view name) const;
    const std::vector<StoredWrite>& writes() const { return writes_; }
    const std::vector<LiveCall>& liveCalls() const { return liveCalls_; }
    // Writes and live calls together, in the order they happened:
    // "write Control Panel\\Mouse MouseSensitivity=16", "SPI_SETMOUSESPEED 16".
    const std::vector<std::string>& log() const { return log_; }
    const LiveState& live() const { return live_; }
    // Forgets the recorded writes and calls (the values and the live state stay).
    void clearLog();

    // --- PointerSettingsStore ---
    bool openKey(std::string_view key) override;
    bool valueExists(std::string_view key, std::string_view name) override;
    std::optional<std::string> readText(std::string_view key, std::string_view name) override;
    bool writeText(std::string_view key, std::string_view name, std::string_view value) override;
    void setMouseSpeed(int sensitivity) override;
    void setMouseAcceleration(int threshold1, int threshold2, int speed) override;
    void setDoubleClickTime(int milliseconds) override;
    void setWheelScrollLines(int lines) override;

  private:
    void recordLive(const LiveCall& call);

    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> keys_;
    bool writable_ = true;
    std::vector<StoredWrite> writes_;
    std::vector<LiveCall> liveCalls_;
    std::vector<std::string> log_;
    LiveState live_;
};

}  // namespace vtr::settings
