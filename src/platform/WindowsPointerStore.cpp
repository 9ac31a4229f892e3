#include "platform/WindowsPointerStore.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>
#include <vector>

namespace vtr::platform {

namespace {

constexpr DWORD kMaxValueBytes = 4096;

// An open key under HKEY_CURRENT_USER, closed when it goes.
class Key {
  public:
    Key(std::string_view path, REGSAM access) {
        const std::string name(path);
        if (RegOpenKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, access, &handle_) != ERROR_SUCCESS) {
            handle_ = nullptr;
        }
    }
    ~Key() {
        if (handle_ != nullptr) {
            RegCloseKey(handle_);
        }
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    HKEY handle() const { return handle_; }

  private:
    HKEY handle_ = nullptr;
};

}  // namespace

bool WindowsPointerStore::openKey(std::string_view key) {
    return static_cast<bool>(Key(key, KEY_QUERY_VALUE));
}

bool WindowsPointerStore::valueExists(std::string_view key, std::string_view name) {
    const Key open(key, KEY_QUERY_VALUE);
    const std::string valueName(name);
    return open && RegQueryValueExA(open.handle(), valueName.c_str(), nullptr, nullptr, nullptr,
                                    nullptr) == ERROR_SUCCESS;
}

std::optional<std::string> WindowsPointerStore::readText(std::string_view key,
                                                         std::string_view name) {
    const Key open(key, KEY_QUERY_VALUE);
    if (!open) {
        return std::nullopt;
    }
    const std::string valueName(name);
    std::vector<BYTE> data(kMaxValueBytes);
    DWORD type = 0;
    DWORD size = kMaxValueBytes;
    if (RegQueryValueExA(open.handle(), valueName.c_str(), nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxValueBytes) {
        return std::nullopt;
    }
    std::string text(reinterpret_cast<const char*>(data.data()), size);
    while (!text.empty() && text.back() == '\0') {
        text.pop_back();
    }
    return text;
}

bool WindowsPointerStore::writeText(std::string_view key, std::string_view name,
                                    std::string_view value) {
    const Key open(key, KEY_SET_VALUE);
    if (!open) {
        return false;
    }
    const std::string valueName(name);
    const std::string text(value);  // with its final NUL
    return RegSetValueExA(open.handle(), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

void WindowsPointerStore::setMouseSpeed(int sensitivity) {
    // The speed itself travels in the pointer argument.
    SystemParametersInfoA(SPI_SETMOUSESPEED, 0,
                          reinterpret_cast<PVOID>(static_cast<INT_PTR>(sensitivity)),
                          SPIF_SENDCHANGE);
}

void WindowsPointerStore::setMouseAcceleration(int threshold1, int threshold2, int speed) {
    int triple[3] = {threshold1, threshold2, speed};
    SystemParametersInfoA(SPI_SETMOUSE, 0, triple, SPIF_SENDCHANGE);
}

void WindowsPointerStore::setDoubleClickTime(int milliseconds) {
    SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, static_cast<UINT>(milliseconds), nullptr,
                          SPIF_SENDCHANGE);
}

void WindowsPointerStore::setWheelScrollLines(int lines) {
    // -1 becomes WHEEL_PAGESCROLL: a screen per notch.
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, static_cast<UINT>(lines), nullptr,
                          SPIF_UPDATEINIFILE);
}

}  // namespace vtr::platform
