#include "settings/MemoryPointerStore.h"

#include <ostream>

namespace vtr::settings {

LiveCall MouseSpeedCall(int sensitivity) {
    return {LiveAction::MouseSpeed, {sensitivity, 0, 0}};
}

LiveCall MouseAccelerationCall(int threshold1, int threshold2, int speed) {
    return {LiveAction::MouseAcceleration, {threshold1, threshold2, speed}};
}

LiveCall DoubleClickTimeCall(int milliseconds) {
    return {LiveAction::DoubleClickTime, {milliseconds, 0, 0}};
}

LiveCall WheelScrollLinesCall(int lines) {
    return {LiveAction::WheelScrollLines, {lines, 0, 0}};
}

std::string ToString(const LiveCall& call) {
    const auto one = [&call](const char* action) {
        return std::string(action) + " " + std::to_string(call.args[0]);
    };
    switch (call.action) {
        case LiveAction::MouseSpeed:
            return one("SPI_SETMOUSESPEED");
        case LiveAction::MouseAcceleration:
            return "SPI_SETMOUSE " + std::to_string(call.args[0]) + " " +
                   std::to_string(call.args[1]) + " " + std::to_string(call.args[2]);
        case LiveAction::DoubleClickTime:
            return one("SPI_SETDOUBLECLICKTIME");
        case LiveAction::WheelScrollLines:
            return one("SPI_SETWHEELSCROLLLINES");
    }
    return "?";
}

std::ostream& operator<<(std::ostream& out, const LiveCall& call) {
    return out << ToString(call);
}

std::ostream& operator<<(std::ostream& out, const StoredWrite& write) {
    return out << write.key << " " << write.name << "=" << write.value;
}

MemoryPointerStore::MemoryPointerStore(std::initializer_list<Value> values) {
    addKey(kMouseKey);
    addKey(kDesktopKey);
    for (const Value& v : values) {
        setValue(v.key, v.name, v.text);
    }
}

void MemoryPointerStore::addKey(std::string_view key) {
    keys_.try_emplace(std::string(key));
}

void MemoryPointerStore::removeKey(std::string_view key) {
    if (const auto found = keys_.find(key); found != keys_.end()) {
        keys_.erase(found);
    }
}

void MemoryPointerStore::setValue(std::string_view key, std::string_view name,
                                  std::string_view text) {
    keys_[std::string(key)][std::string(name)] = std::string(text);
}

void MemoryPointerStore::eraseValue(std::string_view key, std::string_view name) {
    if (const auto found = keys_.find(key); found != keys_.end()) {
        if (const auto value = found->second.find(name); value != found->second.end()) {
            found->second.erase(value);
        }
    }
}

bool MemoryPointerStore::hasKey(std::string_view key) const {
    return keys_.contains(key);
}

std::optional<std::string> MemoryPointerStore::value(std::string_view key,
                                                     std::string_view name) const {
    const auto found = keys_.find(key);
    if (found == keys_.end()) {
        return std::nullopt;
    }
    const auto value = found->second.find(name);
    if (value == found->second.end()) {
        return std::nullopt;
    }
    return value->second;
}

void MemoryPointerStore::clearLog() {
    writes_.clear();
    liveCalls_.clear();
    log_.clear();
}

bool MemoryPointerStore::openKey(std::string_view key) {
    return hasKey(key);
}

bool MemoryPointerStore::valueExists(std::string_view key, std::string_view name) {
    return value(key, name).has_value();
}

std::optional<std::string> MemoryPointerStore::readText(std::string_view key,
                                                        std::string_view name) {
    return value(key, name);
}

bool MemoryPointerStore::writeText(std::string_view key, std::string_view name,
                                   std::string_view value) {
    const auto found = keys_.find(key);
    if (!writable_ || found == keys_.end()) {
        return false;
    }
    found->second[std::string(name)] = std::string(value);
    StoredWrite write{std::string(key), std::string(name), std::string(value)};
    log_.push_back("write " + write.key + " " + write.name + "=" + write.value);
    writes_.push_back(std::move(write));
    return true;
}

void MemoryPointerStore::recordLive(const LiveCall& call) {
    liveCalls_.push_back(call);
    log_.push_back(ToString(call));
}

void MemoryPointerStore::setMouseSpeed(int sensitivity) {
    live_.mouseSpeed = sensitivity;
    recordLive(MouseSpeedCall(sensitivity));
}

void MemoryPointerStore::setMouseAcceleration(int threshold1, int threshold2, int speed) {
    live_.acceleration = std::array<int, 3>{threshold1, threshold2, speed};
    recordLive(MouseAccelerationCall(threshold1, threshold2, speed));
}

void MemoryPointerStore::setDoubleClickTime(int milliseconds) {
    live_.doubleClickTime = milliseconds;
    recordLive(DoubleClickTimeCall(milliseconds));
}

void MemoryPointerStore::setWheelScrollLines(int lines) {
    live_.wheelScrollLines = lines;
    recordLive(WheelScrollLinesCall(lines));
}

}  // namespace vtr::settings
