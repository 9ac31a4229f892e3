#pragma once

#include <cstddef>
#include <cstdint>

// Where things live in the mouse's configuration memory (EEPROM) and in the
// profile-layout files and the built-in default image.
namespace vtr::image {

inline constexpr int kEepromSize = 1024;

inline constexpr std::uint16_t kParameterAddress = 0;
inline constexpr std::size_t kParameterAreaSize = 43;  // section A (38) + section B (5)
inline constexpr std::size_t kSectionASize = 38;
inline constexpr std::size_t kSectionBSize = 5;
inline constexpr std::size_t kSectionACheckOffset = 37;

inline constexpr std::uint16_t kProfileAddress = 64;
inline constexpr std::size_t kProfileAreaSize = 28;  // nine 3-byte codes + check byte
inline constexpr std::size_t kProfileCheckOffset = 27;

inline constexpr std::uint16_t kMacroAddress2 = 92;
inline constexpr std::size_t kMacroAreaSize2 = 164;
inline constexpr std::uint16_t kMacroAddress10 = 512;
inline constexpr std::size_t kMacroAreaSize10 = 512;

// The device type byte: address 42, last byte of section B.
inline constexpr std::uint16_t kDeviceTypeAddress = 42;
inline constexpr int kDeviceType2 = 2;
inline constexpr int kDeviceType10 = 10;

inline constexpr bool isDeviceType(int type) {
    return type == kDeviceType2 || type == kDeviceType10;
}

// Profile layout: parameter area, profile area, macro area of the type.
inline constexpr std::size_t kProfileFileProfileOffset = kParameterAreaSize;
inline constexpr std::size_t kProfileFileMacroOffset = kParameterAreaSize + kProfileAreaSize;
inline constexpr std::size_t kWorkingImageSize = kParameterAreaSize + kProfileAreaSize;  // 71

inline constexpr std::size_t macroAreaSize(int type) {
    return type == kDeviceType2 ? kMacroAreaSize2 : kMacroAreaSize10;
}
inline constexpr std::uint16_t macroAreaAddress(int type) {
    return type == kDeviceType2 ? kMacroAddress2 : kMacroAddress10;
}
// 235 bytes for type 2, 583 for type 10.
inline constexpr std::size_t profileFileSize(int type) {
    return kProfileFileMacroOffset + macroAreaSize(type);
}

}  // namespace vtr::image
